#pragma once

#include <QObject>

#include <functional>

class QDBusPendingCallWatcher;

// Logs out when the desktop session locks: on logind's Lock signal for this process's session
// (system bus), or on the screen saver's ActiveChanged(true) (session bus). Where neither
// service exists nothing happens. The buses are the ones the environment names
// (DBUS_SESSION_BUS_ADDRESS, DBUS_SYSTEM_BUS_ADDRESS), which is how tests bring their own.
class ScreenLock : public QObject {
    Q_OBJECT

  public:
    ScreenLock(std::function<void()> logOut, QObject* parent);

  private slots:
    void ScreenSaverActiveChanged(bool active);
    void SessionLocked();

  private:
    void FollowSession(QDBusPendingCallWatcher* call);
    void LogOutOnceDialogsClosed();

    std::function<void()> logOut;
};
