#pragma once

#include <QAccessible>
#include <QTableView>

class GridModel;

// A grid with the FlexGrid contract: row 0 is the fixed header row and column 0 the fixed
// row-number column, both counted in Rows and Cols. The current cell may be (0, 0); a
// position outside the grid is not applied. The user reads the grid but cannot type into it.
class FlexGrid : public QTableView {
    Q_OBJECT

  public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int Rows() const;
    int Cols() const;
    void SetCols(int cols);

    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);
    // Replaces every cell at once, given row by row, fixed cells included.
    void SetMatrix(int rows, int cols, QList<QString> cells);

    int Row() const;
    void SetRow(int row);
    int Col() const;
    void SetCol(int col);

    // The column's cells below the header are drawn in the font, no taller than the grid's.
    void SetColFont(int col, const QFont& font);

    // Column widths in pixels.
    int ColWidth(int col) const { return columnWidth(col); }
    void SetColWidth(int col, int width) { setColumnWidth(col, width); }

    // Where a cell lies, relative to the grid itself.
    QRect CellRect(int row, int col) const;
    // The width a column needs to show the text whole in the grid's font.
    int TextWidth(const QString& text) const;

    // Makes the view's drawing helpers let go of the last cell they drew, which they keep
    // (the delegate its data, the style its layout), so an emptied grid holds no entry's text.
    void ForgetDrawnCells();

  protected:
    // A cell whose text is cut shows its whole text as a tooltip.
    bool viewportEvent(QEvent* event) override;
    // A screen reader follows the current and the selected cell, told by their numbers among
    // the grid's accessible cells (not by Qt's table view's, which counts hidden headers).
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

  private:
    void TellScreenReader(const QModelIndex& cell, QAccessible::Event event);
    int TextWidth(const QString& text, const QFont& font) const;
    // Makes the cell current and the one selected, as a click on it does.
    void MakeCurrent(int row, int col);

    GridModel* cells;
};
