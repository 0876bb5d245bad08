#pragma once
// The main window's first status bar zone: a standing notice (the expiry
// reminder), overlaid while a copied secret counts down with "Password
// copied; clears in N s". Listens to the clipboard's countdown from Init to
// Kill; borrows the window, which must outlive that. GUI thread only.

#include <string>

namespace rt {
class Window;
}

class StatusNotice {
  public:
    StatusNotice() = default;
    ~StatusNotice();
    StatusNotice(const StatusNotice&) = delete;
    StatusNotice& operator=(const StatusNotice&) = delete;

    void Init(rt::Window& window);
    void Kill();
    // The text the zone shows whenever no countdown runs.
    void SetStanding(const std::string& text);

  private:
    void show(int secondsLeft);

    rt::Window* window_ = nullptr;
    std::string standing_;
};
