#include "runtime/gui/ScreenLockListener.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace rt {

namespace {

constexpr const char* kLogind = "org.freedesktop.login1";

}  // namespace

ScreenLockListener::ScreenLockListener(std::function<void()> locked) : locked_(std::move(locked)) {
    listenToSessionBus();
    askLogindForSession();
}

// Desktops send the signal from different paths (and some from a name they
// do not own), so any sender and path counts.
void ScreenLockListener::listenToSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    for (const char* interface : {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver"})
        bus.connect({}, {}, interface, "ActiveChanged", this, SLOT(screenSaverActive(bool)));
}

// Asked without waiting: a system bus without logind must not hold up the
// program.
void ScreenLockListener::askLogindForSession() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return;
    QDBusMessage ask = QDBusMessage::createMethodCall(
        kLogind, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "GetSessionByPID");
    ask << static_cast<quint32>(QCoreApplication::applicationPid());
    auto* call = new QDBusPendingCallWatcher(bus.asyncCall(ask), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* done) { sessionNamed(done); });
}

void ScreenLockListener::sessionNamed(QDBusPendingCallWatcher* call) {
    QDBusPendingReply<QDBusObjectPath> reply = *call;
    call->deleteLater();
    if (!reply.isValid()) return;
    QDBusConnection::systemBus().connect(kLogind, reply.value().path(),
                                         "org.freedesktop.login1.Session", "Lock", this,
                                         SLOT(sessionLocked()));
}

void ScreenLockListener::screenSaverActive(bool active) {
    if (active) locked_();
}

void ScreenLockListener::sessionLocked() {
    locked_();
}

}  // namespace rt
