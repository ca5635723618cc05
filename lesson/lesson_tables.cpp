#include "lesson/lesson_tables.h"

#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"

namespace signova {
namespace {

constexpr int IirHeaderRow = 0;

} // namespace

LessonFirTable CaptureFirTable(const CellStore& grid) {
    LessonFirTable table;
    bool valuesUnbroken = true;
    for (int row = 0; row < grid.RowCount(); ++row) {
        table.rows.push_back({grid.Cell(0, row), grid.Cell(FirValueColumn, row)});
        valuesUnbroken = valuesUnbroken && !grid.Cell(FirValueColumn, row).empty();
    }
    if (!valuesUnbroken)
        return table;
    for (int row = grid.RowCount();
         row < FirCoefficientCount && !grid.Cell(FirValueColumn, row).empty(); ++row)
        table.beyond.push_back(grid.Cell(FirValueColumn, row));
    return table;
}

LessonIirTable CaptureIirTable(const CellStore& grid) {
    LessonIirTable table;
    for (int row = IirGridFixedRows; row < grid.RowCount(); ++row)
        table.rows.push_back(
            {grid.Cell(0, row), grid.Cell(IirAColumn, row), grid.Cell(IirBColumn, row)});
    return table;
}

void ApplyFirTable(const LessonFirTable& table, CellStore& grid) {
    const int rows = static_cast<int>(table.rows.size());
    grid.SetRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        grid.SetCell(0, row, table.rows[static_cast<std::size_t>(row)][0]);
        grid.SetCell(FirValueColumn, row, table.rows[static_cast<std::size_t>(row)][1]);
    }
    grid.ClearFromRow(rows);
    for (std::size_t i = 0; i < table.beyond.size(); ++i)
        grid.SetCell(FirValueColumn, rows + static_cast<int>(i), table.beyond[i]);
}

void ApplyIirTable(const LessonIirTable& table, CellStore& grid) {
    const int rows = static_cast<int>(table.rows.size()) + IirGridFixedRows;
    grid.SetRowCount(rows);
    grid.SetFixedRows(IirGridFixedRows);
    grid.SetCell(0, IirHeaderRow, "");
    grid.SetCell(IirAColumn, IirHeaderRow, "a");
    grid.SetCell(IirBColumn, IirHeaderRow, "b");
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const int row = static_cast<int>(i) + IirGridFixedRows;
        grid.SetCell(0, row, table.rows[i][0]);
        grid.SetCell(IirAColumn, row, table.rows[i][1]);
        grid.SetCell(IirBColumn, row, table.rows[i][2]);
    }
    grid.ClearFromRow(rows);
}

int FirValueCount(const LessonFirTable& table) {
    int count = 0;
    for (const auto& row : table.rows) {
        if (row[1].empty())
            return count;
        ++count;
    }
    for (const std::string& value : table.beyond) {
        if (value.empty())
            return count;
        ++count;
    }
    return count;
}

} // namespace signova
