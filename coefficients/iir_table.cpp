#include "coefficients/iir_table.h"

#include "coefficients/coefficient_file.h"

#include <algorithm>
#include <string>

namespace signova {
namespace {

constexpr int IndexColumn = 0;
constexpr int AColumn = 1;
constexpr int BColumn = 2;
constexpr int HeaderRow = 0;
constexpr int FirstCoefficientRow = 1;

void ShowUnusedACoefficient(CellStore& grid) {
    grid.SetCell(AColumn, FirstCoefficientRow, std::string(UnusedACoefficientText));
}

} // namespace

CellStore NewIirGrid() {
    return CellStore(IirGridColumns, IirGridRows, IirGridFixedColumns, IirGridFixedRows);
}

void SetDefaultIirTable(CellStore& grid, SimulatorState& state) {
    grid.SetRowCount(IirGridRows);
    grid.SetCell(AColumn, HeaderRow, "a");
    grid.SetCell(BColumn, HeaderRow, "b");
    grid.SetCell(IndexColumn, FirstCoefficientRow, "0");
    ShowUnusedACoefficient(grid);
    grid.SetCell(BColumn, FirstCoefficientRow, "1");
    state.IirOrder = IirGridRows - 1;
}

TableLoad LoadIIRTable(SimulatorState& state, CellStore& grid, LineBuffer& lines,
                       Dialogs& dialogs) {
    const std::int32_t previousOrder = state.IirOrder;
    state.LoadError = false;
    PrepareCoefficientFile(state, lines, "IIR", dialogs);
    if (state.LoadError) {
        state.IirOrder = previousOrder;
        return {};
    }

    const int order = state.IirOrder;
    if (order > MaxIirFileRows) {
        dialogs.ShowMessage("Number of IIR elements must be less then 100");
        state.IirOrder = previousOrder;
        return {};
    }

    grid.SetRowCount(order + 1);
    for (int n = 0; n < order; ++n) {
        grid.SetCell(IndexColumn, n + 1, std::to_string(n));
        grid.SetCell(AColumn, n + 1, lines.Line(n));
        grid.SetCell(BColumn, n + 1, lines.Line(n + order));
    }
    ShowUnusedACoefficient(grid);
    return {true, state.FileTitle};
}

void IirGridKeyDown(CellStore& grid, SimulatorState& state, int virtualKey, bool shiftHeld) {
    if (!shiftHeld)
        return;

    int rows = grid.RowCount();
    if (virtualKey == VirtualKeyDelete)
        --rows;
    // The coefficient arrays hold MaxIirOrder coefficient rows; Insert beyond that is
    // ignored.
    if (virtualKey == VirtualKeyInsert && rows - 1 < MaxIirOrder)
        ++rows;
    rows = std::max(rows, FirstCoefficientRow + 1);
    grid.SetRowCount(rows);
    grid.SetFixedRows(IirGridFixedRows);
    state.IirOrder = rows - 1;

    for (int row = FirstCoefficientRow; row <= state.IirOrder; ++row) {
        grid.SetCell(IndexColumn, row, std::to_string(row - 1));
        if (grid.Cell(AColumn, row).empty())
            grid.SetCell(AColumn, row, "0");
        if (grid.Cell(BColumn, row).empty())
            grid.SetCell(BColumn, row, "0");
    }
}

bool IirGridCanSelect(int column, int row) {
    return column != IndexColumn && row != HeaderRow;
}

} // namespace signova
