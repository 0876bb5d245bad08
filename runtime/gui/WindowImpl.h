#pragma once
// The inside of an open Window: widgets, controls by number, the event queue
// with its default actions, the accept-all pass and the input filter that
// turns the toolkit's input into events and key codes. Internal to the
// runtime. GUI thread only (except postFromOtherThread).

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "runtime/gui/ClientArea.h"
#include "runtime/controls/Control.h"
#include "runtime/gui/Window.h"
#include "runtime/gui/WindowFrame.h"

class QLabel;

namespace rt {

class Window::Impl : public QObject, public ControlHost {
  public:
    Impl(Window& self, const WindowDeclaration& declaration);
    ~Impl() override;

    // ControlHost
    void postFromUser(int event, int control) override;
    void setKeyCode(int key) override { keyCode_ = key; }
    char32_t keyCharacter() const override { return keyChar_; }
    const DialogUnits& units() const override { return units_; }
    void pressDefault() override;
    void tabChanged(int sheet) override;
    Control* controlAt(int number) const override;

    void open();
    void closeNow();
    WindowEvent accept();
    WindowEvent poll();
    void post(const WindowEvent& e) { queue_.push_back(e); }
    // A modeless window's events, handed to handler_ one at a time.
    void deliver();
    void select(int control);
    int focus() const;
    void display(int control);
    void update(int control);
    void acceptAll();
    int addControl(int number, const ControlDeclaration& d);
    void refreshTabVisibility();
    void setStatus(int zone, const std::string& text);
    std::string status(int zone) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

    Window& self_;
    WindowDeclaration decl_;
    DialogUnits units_;
    int thread_ = 1;
    std::unique_ptr<WindowFrame> frame_;
    ClientArea* client_ = nullptr;
    std::vector<QLabel*> zones_;
    std::map<int, std::unique_ptr<Control>> controls_;
    std::deque<WindowEvent> queue_;
    WindowEvent current_;
    bool cycled_ = true;
    bool opened_ = false;
    bool closed_ = false;
    // Taken off the screen while the program is locked (HiddenWindows): it
    // owns no window opened meanwhile.
    bool away_ = false;
    int keyCode_ = 0;
    char32_t keyChar_ = 0;
    QPoint mouse_;  // client pixels
    std::set<int> windowAlerts_;
    int nextRuntimeNumber_ = 100;
    QTimer timer_;
    std::string requiredMessage_;
    std::string refusalMessage_;
    // Set for a modeless window opened with a handler, into which drain_
    // empties its queue.
    std::function<void(const WindowEvent&)> handler_;
    QTimer drain_;
    bool delivering_ = false;
    struct Notification {
        int code, thread, parameter;
    };
    std::deque<Notification> notifications_;

    // The accept-all pass visits controlsToVisit_ from nextToVisit_.
    bool acceptAll_ = false;
    std::vector<int> controlsToVisit_;
    size_t nextToVisit_ = 0;

    // An alerted key's own action, held back until the program has seen the
    // pre-alert event and said whether it wants it.
    std::unique_ptr<QEvent> heldInput_;
    QPointer<QObject> heldTarget_;
    bool replaying_ = false;
    // Input events reach every watched widget they propagate through; the
    // first sighting is the one that counts.
    struct Seen {
        int type = 0;
        QPointF where;
        quint64 timestamp = 0;
        bool operator==(const Seen&) const = default;
    };
    Seen lastInput_;
    bool isAlerted(int key, int control) const;

    // A region the program shows under a pressed left button takes over the
    // press, as the pressed cell it stands for would have: the mouse leaving
    // and entering it, moving in it and the release are its events, whatever
    // widget the toolkit hands them to. A release that came before the
    // region showed (the program was still at the press's alert) is the
    // region's at once; it goes stale when the loop next waits for input.
    //   no press --left press--> pressOpen_ --region shown under it--> capture_
    //   pressOpen_ --release--> releasePending_ --region shown--> its EventMouseUp
    //   capture_ --release--> EventMouseUp on capture_, no press
    void regionShown(int control);
    bool pressOpen_ = false;
    bool releasePending_ = false;
    int capture_ = 0;
    bool captureInside_ = false;

  private:
    void finishCurrent();
    WindowEvent takeNext();
    bool stepAcceptAll();
    void redisplayChanged();
    bool stopAtBlankRequired(Control& c);
    void tellRefusal(int control);
    // In the status bar's first zone, else as a tip under the control.
    void tell(Control& c, const std::string& message);
    int ownerOf(QObject* object) const;
    void watch(QWidget* widget);
    bool takeMouse(QObject* watched, QEvent* event);
    bool takeKey(QObject* watched, QEvent* event);
    bool takeFocus(QObject* watched, QEvent* event);
    bool takeWheel(QObject* watched, QEvent* event);
    // The left button's press, moves and release for a capturing region.
    void trackPress(QEvent::Type type, Qt::MouseButton button);
    bool insideControl(int control) const;
    void forgetStaleRelease();
    void holdForPreAlert(QObject* target, QEvent* event, int control);
    bool tabShown(const Control& c) const;
    void buildFrame();
    static Window* newestModal();
    void linkPrompts();
};

}  // namespace rt
