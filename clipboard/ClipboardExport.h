#pragma once

#include <QString>
#include <QTimer>

#include <optional>

// Puts a text on the clipboard as the only thing there, marked as a secret so that clipboard
// histories do not keep it. A password left there is readable by every program, so it is
// taken off again thirty seconds later and when this object ends with the program, unless
// something else has replaced it meanwhile.
class ClipboardExport {
  public:
    ClipboardExport();
    ~ClipboardExport();
    ClipboardExport(const ClipboardExport&) = delete;
    ClipboardExport& operator=(const ClipboardExport&) = delete;

    void Export(const QString& text);

    static constexpr int ClearingDelay = 30'000; // milliseconds

    // Runs the timed clearing; a test may start it early instead of waiting.
    QTimer clearTimer;

  private:
    void ClearIfStillExported();

    std::optional<QString> exported;
};
