#pragma once

class QMimeData;

// The system clipboard, reached only through here so that tests can put a stand-in in its
// place.
namespace Clipboard {

class Board {
  public:
    virtual ~Board() = default;
    virtual void Clear() = 0;
    // Replaces what the board holds; the board takes the data over.
    virtual void SetMimeData(QMimeData* data) = 0;
    // What the board holds now, or nothing.
    virtual const QMimeData* MimeData() const = 0;
};

// The board in use: the system clipboard unless a test has put a stand-in in its place.
Board& Current();

// Test seam: a null board restores the system clipboard.
void SetBoard(Board* board);

} // namespace Clipboard
