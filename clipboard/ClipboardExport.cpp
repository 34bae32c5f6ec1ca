// A cell's text on the clipboard, and off it again.
#include "clipboard/ClipboardExport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

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
    QClipboard& board = *QGuiApplication::clipboard();
    board.clear();
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(SecretHint, "secret");
    board.setMimeData(data);
    exported = text;
    clearTimer.start();
}

void ClipboardExport::ClearIfStillExported() {
    if (!exported)
        return;
    QClipboard& board = *QGuiApplication::clipboard();
    const QMimeData* held = board.mimeData();
    if (held && held->hasText() && held->text() == *exported)
        board.clear();
    exported.reset();
}
