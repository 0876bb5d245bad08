#pragma once
// The top-level widget of a window: turns the toolkit's close, resize and
// activation notices into calls the window's event queue takes. GUI thread.

#include <QWidget>
#include <functional>

namespace rt {

class WindowFrame : public QWidget {
  public:
    struct Notices {
        std::function<bool()> closeRequested;  // true: let the frame close
        std::function<void()> resized;
        std::function<void(bool)> activation;  // gained (true) or lost
    };
    explicit WindowFrame(Notices notices);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    Notices notices_;
};

}  // namespace rt
