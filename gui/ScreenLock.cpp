// Logging out when the desktop session locks.
#include "gui/ScreenLock.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDialog>
#include <QThread>
#include <QTimer>

namespace {

const QString Logind = QStringLiteral("org.freedesktop.login1");

} // namespace

ScreenLock::ScreenLock(std::function<void()> logOut, QObject* parent)
    : QObject(parent), logOut(std::move(logOut)) {
    // From any sender on any path: desktops announce it in different places.
    QDBusConnection::sessionBus().connect({}, {}, "org.freedesktop.ScreenSaver", "ActiveChanged",
                                          this, SLOT(ScreenSaverActiveChanged(bool)));
    // logind tells which session "auto" is (the caller's, else the user's graphical one); the
    // answer is not waited for, so a slow or absent logind never holds up the window.
    QDBusConnection system = QDBusConnection::systemBus();
    QDBusMessage session = QDBusMessage::createMethodCall(Logind, "/org/freedesktop/login1",
                                                          Logind + ".Manager", "GetSession");
    session << QStringLiteral("auto");
    auto* call = new QDBusPendingCallWatcher(system.asyncCall(session), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &ScreenLock::FollowSession);
}

void ScreenLock::FollowSession(QDBusPendingCallWatcher* call) {
    const QDBusPendingReply<QDBusObjectPath> session = *call;
    call->deleteLater();
    if (session.isValid())
        QDBusConnection::systemBus().connect(Logind, session.value().path(), Logind + ".Session",
                                             "Lock", this, SLOT(SessionLocked()));
}

void ScreenLock::ScreenSaverActiveChanged(bool active) {
    if (active)
        LogOutOnceDialogsClosed();
}

void ScreenLock::SessionLocked() {
    LogOutOnceDialogsClosed();
}

// Every dialog and message box closes unanswered: each either works on the open store (New
// Entry, the input dialog, a question or report about the store), which will be gone when the
// screen unlocks, or may hold a typed password (the account dialog). The handlers that opened
// them may still use the store as they return, so the log-out waits until each has returned to
// the program's main event loop.
void ScreenLock::LogOutOnceDialogsClosed() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            dialog->reject();
    if (QThread::currentThread()->loopLevel() > 1)
        QTimer::singleShot(0, this, &ScreenLock::LogOutOnceDialogsClosed);
    else
        logOut();
}
