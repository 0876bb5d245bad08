#pragma once
// Listens on the desktop's buses for the screen being locked: the session
// bus's ActiveChanged(true) of the screen saver (freedesktop's and GNOME's
// interface, any sender and path) and logind's Lock signal on the system bus
// for the session this process runs in, once logind has named it. Missing
// buses and services are passed over in silence. Owns its bus connections'
// subscriptions; calls `locked` on the GUI thread. Internal to the runtime.

#include <QObject>
#include <functional>

class QDBusPendingCallWatcher;

namespace rt {

class ScreenLockListener : public QObject {
    Q_OBJECT

  public:
    explicit ScreenLockListener(std::function<void()> locked);

  private slots:
    void screenSaverActive(bool active);
    void sessionLocked();

  private:
    void listenToSessionBus();
    void askLogindForSession();
    void sessionNamed(QDBusPendingCallWatcher* call);

    std::function<void()> locked_;
};

}  // namespace rt
