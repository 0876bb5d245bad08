#pragma once
// The floating window of a PopupClass toolbox: a row of buttons laid out
// left to right, the window sized to fit them. Owns its window; GUI thread.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rt {
class Window;
struct WindowEvent;
}  // namespace rt

class PopupToolbox {
  public:
    struct Button {
        std::string text;  // shown when there is no icon
        std::string icon;
        std::string tip;
        bool disabled = false;
    };

    explicit PopupToolbox(const std::string& title);
    ~PopupToolbox();
    PopupToolbox(const PopupToolbox&) = delete;
    PopupToolbox& operator=(const PopupToolbox&) = delete;

    rt::Window& window() { return *window_; }
    // Replaces the buttons; button n is the n-th of buttons.
    void setButtons(const std::vector<Button>& buttons);
    // The button number of a control of the window, 0 for none.
    int buttonNumber(int control) const;
    // Shows the window beside its owner; events go to handler.
    void open(std::function<void(const rt::WindowEvent&)> handler);

  private:
    bool sameLooks(const std::vector<Button>& buttons) const;
    void build(const std::vector<Button>& buttons);

    std::unique_ptr<rt::Window> window_;
    std::vector<Button> shown_;
    std::vector<int> controls_;  // control number of button n at n - 1
};
