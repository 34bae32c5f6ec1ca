// The entry grid widget with the FlexGrid contract.
#include "gui/FlexGrid.h"

#include <QHeaderView>
#include <QStyle>

#include <cmath>

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(2, 2, parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    StyleFixedCells();
}

void FlexGrid::SetRows(int rows) {
    setRowCount(rows);
    StyleFixedCells();
}

void FlexGrid::SetCols(int cols) {
    setColumnCount(cols);
    StyleFixedCells();
}

QString FlexGrid::TextMatrix(int row, int col) const {
    const QTableWidgetItem* cell = item(row, col);
    return cell ? cell->text() : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (QTableWidgetItem* cell = item(row, col))
        cell->setText(text);
    else
        setItem(row, col, new QTableWidgetItem(text));
}

int FlexGrid::Row() const {
    return std::max(currentRow(), 0);
}

void FlexGrid::SetRow(int row) {
    if (row >= 0 && row < rowCount())
        setCurrentCell(row, Col());
}

int FlexGrid::Col() const {
    return std::max(currentColumn(), 0);
}

void FlexGrid::SetCol(int col) {
    if (col >= 0 && col < columnCount())
        setCurrentCell(Row(), col);
}

QRect FlexGrid::CellRect(int row, int col) const {
    return visualRect(model()->index(row, col)).translated(viewport()->pos());
}

// A cell draws its text between margins of the style's, beside one grid line.
int FlexGrid::TextWidth(const QString& text) const {
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int textWidth = int(std::ceil(QFontMetricsF(font()).horizontalAdvance(text)));
    return textWidth + 2 * margin + (showGrid() ? 1 : 0);
}

// The header row and the row-number column look like headers and cannot be selected.
void FlexGrid::StyleFixedCells() {
    const QBrush fixedBackground = palette().button();
    const auto styleCell = [&](int row, int col) {
        if (!item(row, col))
            setItem(row, col, new QTableWidgetItem);
        QTableWidgetItem* cell = item(row, col);
        cell->setBackground(fixedBackground);
        cell->setFlags(Qt::ItemIsEnabled);
    };
    for (int col = 0; col < columnCount(); ++col)
        styleCell(0, col);
    for (int row = 1; row < rowCount(); ++row)
        styleCell(row, 0);
}
