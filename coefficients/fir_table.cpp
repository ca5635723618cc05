#include "coefficients/fir_table.h"

#include "coefficients/coefficient_file.h"
#include "engine/fir_filter.h"
#include "toolkit/number_text.h"

#include <string>

namespace signova {
namespace {

constexpr int DefaultTapCount = 48;
// 1/48 written with 15 significant digits.
constexpr const char* DefaultTapText = "0.0208333333333333";

} // namespace

std::string TapLabel(int row) {
    std::string label = "h";
    label += std::to_string(row);
    return label;
}

CellStore NewFirGrid() {
    return CellStore(FirGridColumns, FirGridRows, FirGridFixedColumns, FirGridFixedRows);
}

void SetDefaultFirTable(CellStore& grid, SimulatorState& state) {
    grid.SetRowCount(FirGridRows);
    for (int row = 0; row < DefaultTapCount; ++row) {
        grid.SetCell(0, row, TapLabel(row));
        grid.SetCell(1, row, DefaultTapText);
    }
    state.FirLastTap = DefaultTapCount - 1;
}

TableLoad LoadFIRTable(SimulatorState& state, CellStore& grid, LineBuffer& lines,
                       Dialogs& dialogs) {
    state.LoadError = false;
    PrepareCoefficientFile(state, lines, "FIR", dialogs);
    if (state.LoadError)
        return {};

    // Refused before the label or the table change, so that a refused file
    // leaves no trace in the window.
    if (lines.Count() > MaxFirFileLines) {
        dialogs.ShowMessage("Number of FIR elements must be less then 300");
        return {};
    }

    grid.SetRowCount(lines.Count());
    int row = 0;
    while (!lines.Line(row).empty()) {
        grid.SetCell(0, row, TapLabel(row));
        grid.SetCell(1, row, lines.Line(row));
        ++row;
    }
    // The read stops here, so values left beyond the table's end by an
    // earlier, longer file are never used.
    grid.SetCell(1, row, "");
    return {true, state.FileTitle};
}

void ForEachFIRTableValue(const SimulatorState& state, const CellStore& grid,
                          const std::function<void(int row, double value)>& take) {
    for (int row = 0; row <= state.FirLastTap; ++row)
        take(row, StrToFloat(grid.Cell(FirValueColumn, row)));
}

} // namespace signova
