#pragma once

#include <QAbstractTableModel>
#include <QBrush>
#include <QFont>
#include <QHash>
#include <QList>

// The text matrix behind the entry grid. Row 0 and column 0 are the fixed cells: they carry
// the header background and cannot be selected.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    GridModel(int rows, int cols, const QBrush& fixedBackground, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Cells added come empty, cells taken away go; the others keep their text.
    void Resize(int rows, int cols);
    QString Text(int row, int col) const;
    // A cell outside the matrix is left alone.
    void SetText(int row, int col, const QString& text);
    // Every cell at once, row by row: one reset instead of a signal per cell.
    void Replace(int rows, int cols, QList<QString> cells);
    // The column's cells below the header are drawn in the font.
    void SetColumnFont(int col, const QFont& font);

  private:
    bool Contains(int row, int col) const;

    int rows;
    int cols;
    QList<QString> cells;
    QBrush fixedBackground;
    QHash<int, QFont> columnFonts;
};
