// The one way to the system clipboard.
#include "gui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace Clipboard {
namespace {

class SystemBoard final : public Board {
  public:
    void Clear() override { QGuiApplication::clipboard()->clear(); }
    void SetMimeData(QMimeData* data) override { QGuiApplication::clipboard()->setMimeData(data); }
    const QMimeData* MimeData() const override { return QGuiApplication::clipboard()->mimeData(); }
};

Board*& Installed() {
    static Board* board = nullptr;
    return board;
}

} // namespace

Board& Current() {
    static SystemBoard system;
    return Installed() ? *Installed() : system;
}

void SetBoard(Board* board) {
    Installed() = board;
}

} // namespace Clipboard
