#include "design/designed_table.h"

#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"

#include <string>

namespace signova {
namespace {

void WriteFir(const DesignedFilter& design, CellStore& grid) {
    const int taps = static_cast<int>(design.bTexts.size());
    grid.SetRowCount(taps);
    for (int row = 0; row < taps; ++row) {
        grid.SetCell(0, row, TapLabel(row));
        grid.SetCell(FirValueColumn, row, design.bTexts[static_cast<std::size_t>(row)]);
    }
    grid.SetCell(FirValueColumn, taps, "");
}

void WriteIir(const DesignedFilter& design, SimulatorState& state, CellStore& grid) {
    const int pairs = static_cast<int>(design.bTexts.size());
    grid.SetRowCount(pairs + IirGridFixedRows);
    for (int n = 0; n < pairs; ++n) {
        const int row = n + IirGridFixedRows;
        const auto index = static_cast<std::size_t>(n);
        grid.SetCell(0, row, std::to_string(n));
        grid.SetCell(IirAColumn, row,
                     n == 0 ? std::string(UnusedACoefficientText) : design.aTexts[index]);
        grid.SetCell(IirBColumn, row, design.bTexts[index]);
    }
    state.IirOrder = pairs;
}

} // namespace

void WriteDesignedTable(const DesignedFilter& design, SimulatorState& state, CellStore& grid) {
    if (design.kind == FilterKind::Fir)
        WriteFir(design, grid);
    else
        WriteIir(design, state, grid);
}

} // namespace signova
