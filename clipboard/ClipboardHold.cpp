// A secret held on the clipboard by a program without a window, until it is cleared.
#include "clipboard/ClipboardHold.h"

#include "clipboard/ClipboardExport.h"

#include <QEventLoop>
#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A signal handler may do little more than write: it wakes the event loop through a pipe.
int wakeUp[2] = {-1, -1};

void WakeUp(int) {
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
}

} // namespace

bool HoldOnClipboard(const QString& secret, const std::function<void()>& held) {
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = WakeUp;
    sigemptyset(&action.sa_mask);
    constexpr std::array stopping = {SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, stopping.size()> before{};
    for (std::size_t i = 0; i < stopping.size(); ++i)
        sigaction(stopping[i], &action, &before[i]);
    {
        ClipboardExport clipboard; // its end clears what is still on the clipboard
        QEventLoop loop;
        QObject::connect(&clipboard.clearTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QSocketNotifier signalled(wakeUp[0], QSocketNotifier::Read);
        QObject::connect(&signalled, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
        clipboard.Export(secret);
        held();
        loop.exec();
    }
    for (std::size_t i = 0; i < stopping.size(); ++i)
        sigaction(stopping[i], &before[i], nullptr);
    for (int& end : wakeUp)
        ::close(std::exchange(end, -1));
    return true;
}
