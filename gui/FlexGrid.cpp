// The entry grid widget with the FlexGrid contract.
#include "gui/FlexGrid.h"

#include "gui/AccessibleGrid.h"
#include "gui/GridModel.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <cmath>

FlexGrid::FlexGrid(QWidget* parent)
    : QTableView(parent), cells(new GridModel(2, 2, palette().button(), this)) {
    InstallAccessibleGrids();
    setModel(cells);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    // Tab and Shift+Tab go on to the next and previous control; the arrows move between cells.
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

int FlexGrid::Rows() const {
    return cells->rowCount();
}

int FlexGrid::Cols() const {
    return cells->columnCount();
}

void FlexGrid::SetCols(int cols) {
    cells->Resize(Rows(), cols);
}

QString FlexGrid::TextMatrix(int row, int col) const {
    return cells->Text(row, col);
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    cells->SetText(row, col, text);
}

void FlexGrid::SetMatrix(int rows, int cols, QList<QString> matrix) {
    cells->Replace(rows, cols, std::move(matrix));
}

int FlexGrid::Row() const {
    return std::max(currentIndex().row(), 0);
}

void FlexGrid::SetRow(int row) {
    if (row >= 0 && row < Rows())
        MakeCurrent(row, Col());
}

int FlexGrid::Col() const {
    return std::max(currentIndex().column(), 0);
}

void FlexGrid::SetCol(int col) {
    if (col >= 0 && col < Cols())
        MakeCurrent(Row(), col);
}

void FlexGrid::MakeCurrent(int row, int col) {
    selectionModel()->setCurrentIndex(cells->index(row, col), QItemSelectionModel::ClearAndSelect);
}

void FlexGrid::SetColFont(int col, const QFont& font) {
    cells->SetColumnFont(col, font);
}

QRect FlexGrid::CellRect(int row, int col) const {
    return visualRect(cells->index(row, col)).translated(viewport()->pos());
}

// A cell draws its text between margins of the style's, beside one grid line.
int FlexGrid::TextWidth(const QString& text) const {
    return TextWidth(text, font());
}

int FlexGrid::TextWidth(const QString& text, const QFont& font) const {
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int textWidth = int(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
    return textWidth + 2 * margin + (showGrid() ? 1 : 0);
}

void FlexGrid::ForgetDrawnCells() {
    QAbstractItemDelegate* drawn = itemDelegate();
    setItemDelegate(new QStyledItemDelegate(this));
    delete drawn;
    const QStyleOptionViewItem blank;
    style()->subElementRect(QStyle::SE_ItemViewItemText, &blank, this);
}

bool FlexGrid::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex cell = indexAt(help->pos());
    const QString text = cell.data().toString();
    const QVariant cellFont = cell.data(Qt::FontRole);
    const QFont font = cellFont.isValid() ? cellFont.value<QFont>() : this->font();
    if (TextWidth(text, font) > columnWidth(cell.column()))
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(cell));
    else
        QToolTip::hideText();
    return true;
}

void FlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    TellScreenReader(current, QAccessible::Focus);
}

void FlexGrid::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QAbstractItemView::selectionChanged(selected, deselected);
    TellScreenReader(selected.indexes().value(0), QAccessible::SelectionAdd);
    TellScreenReader(deselected.indexes().value(0), QAccessible::SelectionRemove);
}

void FlexGrid::TellScreenReader(const QModelIndex& cell, QAccessible::Event event) {
    if (!QAccessible::isActive() || !cell.isValid())
        return;
    QAccessibleEvent told(this, event);
    told.setChild(AccessibleChild(*this, cell.row(), cell.column()));
    QAccessible::updateAccessibility(&told);
}
