#pragma once

#include <QString>

#include <functional>

// Puts the secret on the clipboard as Export does, tells `held` so, and waits while it is
// there: until the timed clearing, or until SIGINT, SIGTERM or SIGHUP clears it at once. For a
// program without a window, whose clipboard content would end with it. False, with nothing put
// there, when the signals cannot be watched.
bool HoldOnClipboard(const QString& secret, const std::function<void()>& held);
