// The entry grid's cells, held as one list of texts.
#include "gui/GridModel.h"

GridModel::GridModel(int rows, int cols, const QBrush& fixedBackground, QObject* parent)
    : QAbstractTableModel(parent), rows(rows), cols(cols), cells(rows * cols),
      fixedBackground(fixedBackground) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!Contains(index.row(), index.column()))
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return Text(index.row(), index.column());
    if (role == Qt::BackgroundRole && (index.row() == 0 || index.column() == 0))
        return fixedBackground;
    if (role == Qt::FontRole && index.row() > 0 && columnFonts.contains(index.column()))
        return columnFonts[index.column()];
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.row() == 0 || index.column() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

// Cells kept keep their text; the view shows the new shape afresh.
void GridModel::Resize(int newRows, int newCols) {
    QList<QString> reshaped(newRows * newCols);
    for (int row = 0; row < std::min(rows, newRows); ++row)
        for (int col = 0; col < std::min(cols, newCols); ++col)
            reshaped[row * newCols + col] = Text(row, col);
    Replace(newRows, newCols, std::move(reshaped));
}

QString GridModel::Text(int row, int col) const {
    return Contains(row, col) ? cells[row * cols + col] : QString();
}

void GridModel::SetText(int row, int col, const QString& text) {
    if (!Contains(row, col))
        return;
    cells[row * cols + col] = text;
    const QModelIndex cell = index(row, col);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

void GridModel::Replace(int newRows, int newCols, QList<QString> newCells) {
    beginResetModel();
    rows = newRows;
    cols = newCols;
    cells = std::move(newCells);
    cells.resize(rows * cols);
    endResetModel();
}

void GridModel::SetColumnFont(int col, const QFont& font) {
    columnFonts[col] = font;
    emit dataChanged(index(0, col), index(rows - 1, col), {Qt::FontRole});
}

bool GridModel::Contains(int row, int col) const {
    return row >= 0 && row < rows && col >= 0 && col < cols;
}
