// Fills the entry grid from a table of the open store, and empties it.
#include "gui/EntryGrid.h"

#include "core/TableCatalogue.h"
#include "gui/FlexGrid.h"
#include "gui/FontLayout.h"
#include "gui/MessageBoxes.h"

#include <cmath>

namespace EntryGrid {
namespace {

constexpr int MinimumRows = 18;

// At least the given twips, or what the text takes in the grid's font if that is more.
double Fitting(const FlexGrid& grid, double twips, const QString& text) {
    return std::max(twips, FontLayout::Twips(&grid).FromX(grid.TextWidth(text)));
}

// Widths in twips from the grid's width: row numbers and date fixed, the rest 4 : 3 : 3. The
// row numbers get room for "99" and the date for the widest "m/d/yy" in any font, so neither
// is cut short; the description gives up what that takes.
void SetColumnWidths(FlexGrid& grid) {
    const FontLayout::Twips twips(&grid);
    const double width = std::nearbyint(twips.FromX(grid.width()) - 35);
    const double share = (width - 1100) / 10;
    const double numbers = Fitting(grid, 300, "99");
    const double dates = Fitting(grid, 800, "12/31/88");
    const double widths[] = {numbers, dates,
                             std::nearbyint(share * 4) - (numbers - 300) - (dates - 800),
                             std::nearbyint(share * 3), std::nearbyint(share * 3)};
    for (int col = 0; col < 5 && col < grid.Cols(); ++col)
        grid.SetColWidth(col, twips.X(widths[col]));
}

} // namespace

bool PopulateFlexGrid(const QString& table, FlexGrid& grid, const Engine::Connection& connection,
                      qint16 row, qint16 col) {
    SetColumnWidths(grid);
    return MessageBoxes::Trap("PopulateFlexGrid", [&] {
        const QList<Entry> entries = Catalogue::ReadEntries(connection, table);
        const int count = int(entries.size());
        const int rowCount = std::max(count + 1, MinimumRows);
        const int colCount = grid.Cols();
        QList<QString> cells(rowCount * colCount);
        for (int col = 1; col < colCount; ++col)
            cells[col] = EntrySchema::Columns[col - 1];
        for (int r = 1; r <= count; ++r) {
            const Entry& entry = entries[r - 1];
            const QString texts[] = {QString::number(r), entry.date, entry.description,
                                     entry.userID, entry.password};
            std::copy(std::begin(texts), std::end(texts), cells.begin() + r * colCount);
        }
        grid.SetMatrix(rowCount, colCount, std::move(cells));
        grid.SetRow(row);
        grid.SetCol(col);
    });
}

void ClearEntries(FlexGrid& grid) {
    QList<QString> header(grid.Rows() * grid.Cols());
    for (int col = 0; col < grid.Cols(); ++col)
        header[col] = grid.TextMatrix(0, col);
    grid.SetMatrix(grid.Rows(), grid.Cols(), std::move(header));
    grid.ForgetDrawnCells();
}

} // namespace EntryGrid
