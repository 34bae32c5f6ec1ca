// The account dialog's folder box, which shows the folder an empty box means.
#include "gui/FolderBox.h"

#include "gui/FontLayout.h"

#include <QStyleOptionFrame>

namespace {

// A path longer than this (in twips) is elided rather than widening the dialog further.
constexpr int WidestTwips = 7200;

} // namespace

FolderBox::FolderBox(const QString& folder, QWidget* parent) : QLineEdit(parent), folder(folder) {
    setPlaceholderText(folder);
    setToolTip(folder);
    // A typed folder is what the box means; the tooltip shows it whole.
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { setToolTip(text.isEmpty() ? this->folder : text); });
}

QSize FolderBox::sizeHint() const {
    QSize hint = QLineEdit::sizeHint();
    const int wanted = hint.width() - Room() + fontMetrics().horizontalAdvance(folder);
    hint.setWidth(std::clamp(wanted, hint.width(), FontLayout::Twips(this).X(WidestTwips)));
    return hint;
}

void FolderBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    setPlaceholderText(fontMetrics().elidedText(folder, Qt::ElideMiddle, Room()));
}

// The box's text area, less the margin that the line edit keeps on each side of its text and
// the overhang of the font's glyphs.
int FolderBox::Room() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QFontMetrics metrics = fontMetrics();
    return contents.marginsRemoved(textMargins()).width() - 2 * 2 -
           std::max(0, -metrics.minLeftBearing()) - std::max(0, -metrics.minRightBearing());
}
