// Fills the entry grid from a table of the open store.
#include "gui/PopulateFlexGrid.h"

#include "core/ErrorTrap.h"
#include "core/Session.h"
#include "core/TableCatalogue.h"
#include "gui/FlexGrid.h"
#include "gui/FormRoutines.h"

#include <cmath>

namespace Routines {
namespace {

constexpr int MinimumRows = 18;

// At least the given twips, or what the text takes in the grid's font if that is more.
double Fitting(const FlexGrid& grid, double twips, const QString& text) {
    return std::max(twips, FormRoutines::Twips(&grid).FromX(grid.TextWidth(text)));
}

// Widths in twips from the grid's width: row numbers and date fixed, the rest 4 : 3 : 3. The
// row numbers get room for "99" and the date for the widest "m/d/yy" in any font, so neither
// is cut short; the description gives up what that takes.
void SetColumnWidths(FlexGrid& grid) {
    const FormRoutines::Twips twips(&grid);
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
    return Trap("PopulateFlexGrid", [&] {
        const Catalogue::Rows rows = Catalogue::ReadRows(connection, table);
        const int count = int(rows.values.size());
        const int shownColumns = int(rows.columns.size()) - 1;
        const int rowCount = std::max(count + 1, MinimumRows);
        const int colCount = count > 0 ? int(rows.columns.size()) : grid.Cols();
        QList<QString> cells(rowCount * colCount);
        for (int i = 0; i < std::min(shownColumns, colCount - 1); ++i)
            cells[i + 1] = rows.columns[i];
        for (int r = 1; r <= count; ++r) {
            cells[r * colCount] = QString::number(r);
            for (int j = 0; j < shownColumns; ++j)
                if (const auto& value = rows.values[r - 1][j])
                    cells[r * colCount + j + 1] = *value;
        }
        grid.SetMatrix(rowCount, colCount, std::move(cells));
        grid.SetRow(row);
        grid.SetCol(col);
    });
}

void RefillGrid(const Session& session, FlexGrid& grid) {
    PopulateFlexGrid(session.CurrentTable, grid, session.Connection(), qint16(grid.Row()),
                     qint16(grid.Col()));
}

} // namespace Routines
