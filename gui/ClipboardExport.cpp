// A cell's text on the clipboard, and off it again.
#include "gui/ClipboardExport.h"

#include "gui/Clipboard.h"

#include <QMimeData>

namespace {

constexpr int ClearingDelay = 30'000; // milliseconds

// Clipboard managers that honour this hint (KDE's and others) keep no copy of the text.
const QString SecretHint = QStringLiteral("x-kde-passwordManagerHint");

} // namespace

ClipboardExport::ClipboardExport() {
    clearTimer.setSingleShot(true);
    clearTimer.setInterval(ClearingDelay);
    QObject::connect(&clearTimer, &QTimer::timeout, [this] { ClearIfStillExported(); });
}

ClipboardExport::~ClipboardExport() {
    ClearIfStillExported();
}

void ClipboardExport::Export(const QString& text) {
    Clipboard::Board& board = Clipboard::Current();
    board.Clear();
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(SecretHint, "secret");
    board.SetMimeData(data);
    exported = text;
    clearTimer.start();
}

void ClipboardExport::ClearIfStillExported() {
    if (!exported)
        return;
    Clipboard::Board& board = Clipboard::Current();
    const QMimeData* held = board.MimeData();
    if (held && held->hasText() && held->text() == *exported)
        board.Clear();
    exported.reset();
}
