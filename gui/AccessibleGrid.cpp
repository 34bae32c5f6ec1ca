// The accessible interface of the entry grid: a table headed by its fixed cells.
#include "gui/AccessibleGrid.h"

#include "gui/FlexGrid.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QItemSelectionModel>
#include <QPointer>

namespace {

// One cell: a column header in the fixed row, a row header in the fixed column, else a cell of
// the table.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    GridCell(FlexGrid* grid, int row, int col) : grid(grid), row(row), col(col) {}

    bool isValid() const override { return grid && row < grid->Rows() && col < grid->Cols(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grid);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? grid->TextMatrix(row, col) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect cell = grid->CellRect(row, col);
        return {grid->mapToGlobal(cell.topLeft()), cell.size()};
    }
    QAccessible::Role role() const override {
        if (row == 0)
            return QAccessible::ColumnHeader;
        return col == 0 ? QAccessible::RowHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        const QModelIndex cell = grid->model()->index(row, col);
        QAccessible::State state;
        state.invisible = !grid->viewport()->rect().intersects(grid->visualRect(cell));
        state.selectable = state.focusable = bool(cell.flags() & Qt::ItemIsSelectable);
        state.selected = grid->selectionModel()->isSelected(cell);
        state.focused = grid->currentIndex() == cell;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        const bool tableCell =
            type == QAccessible::TableCellInterface && role() == QAccessible::Cell;
        return tableCell ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    // Where the table holds the cell, and the fixed cells that head it.
    int rowIndex() const override { return row - 1; }
    int columnIndex() const override { return col - 1; }
    int rowExtent() const override { return 1; }
    int columnExtent() const override { return 1; }
    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        return {parent()->child(AccessibleChild(*grid, 0, col))};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override {
        return {parent()->child(AccessibleChild(*grid, row, 0))};
    }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    QPointer<FlexGrid> grid;
    int row;
    int col;
};

class AccessibleGrid : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit AccessibleGrid(FlexGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~AccessibleGrid() override { Forget(); }

    int childCount() const override { return Grid()->Rows() * Grid()->Cols(); }
    // The same cell keeps the same interface, so a screen reader can follow it.
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto known = cells.constFind(index); known != cells.constEnd())
            return QAccessible::accessibleInterface(*known);
        auto* cell = new GridCell(Grid(), index / Grid()->Cols(), index % Grid()->Cols());
        cells.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto known = cells.constBegin(); known != cells.constEnd(); ++known)
            if (QAccessible::accessibleInterface(known.value()) == child)
                return known.key();
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QModelIndex cell = Grid()->indexAt(Grid()->viewport()->mapFromGlobal(QPoint(x, y)));
        return cell.isValid() ? child(AccessibleChild(*Grid(), cell.row(), cell.column()))
                              : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The table's rows and columns are the entries' cells.
    int rowCount() const override { return std::max(Grid()->Rows() - 1, 0); }
    int columnCount() const override { return std::max(Grid()->Cols() - 1, 0); }
    QAccessibleInterface* cellAt(int row, int col) const override {
        if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount())
            return nullptr;
        return child(AccessibleChild(*Grid(), row + 1, col + 1));
    }
    QString rowDescription(int row) const override { return Grid()->TextMatrix(row + 1, 0); }
    QString columnDescription(int col) const override { return Grid()->TextMatrix(0, col + 1); }
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }

    // One cell at a time is selected, never a whole row or column.
    int selectedCellCount() const override { return int(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> selected;
        for (const QModelIndex& cell : Grid()->selectionModel()->selectedIndexes())
            selected << child(AccessibleChild(*Grid(), cell.row(), cell.column()));
        return selected;
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }

    // Cells are known by their place, so a new shape makes new ones; a new text does not.
    void modelChange(QAccessibleTableModelChangeEvent* event) override {
        if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
            Forget();
    }

  private:
    FlexGrid* Grid() const { return static_cast<FlexGrid*>(widget()); }
    void Forget() {
        for (const QAccessible::Id id : std::as_const(cells))
            QAccessible::deleteAccessibleInterface(id);
        cells.clear();
    }

    mutable QHash<int, QAccessible::Id> cells;
};

QAccessibleInterface* MakeAccessibleGrid(const QString&, QObject* object) {
    auto* grid = qobject_cast<FlexGrid*>(object);
    return grid ? new AccessibleGrid(grid) : nullptr;
}

} // namespace

int AccessibleChild(const FlexGrid& grid, int row, int col) {
    return row * grid.Cols() + col;
}

void InstallAccessibleGrids() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeAccessibleGrid);
        return true;
    }();
    Q_UNUSED(installed);
}
