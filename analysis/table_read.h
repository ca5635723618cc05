#pragma once

#include "analysis/filter_coefficients.h"
#include "toolkit/cell_store.h"

#include <cstdint>
#include <string>
#include <vector>

namespace signova {

// What a table holds, read the way a run would read it but without touching
// the filter: nothing is written (no coefficients, delay lines, FirLastTap or
// LoadError) and no box is shown.
struct TableRead {
    // Meaningful only when `errors` is empty.
    FilterCoefficients coefficients;
    // The texts a run would report for this table, each whole (a cell quoted
    // with a NUL byte in it too), in the order it would show them; empty when
    // every cell holds a number.
    std::vector<std::string> errors;

    bool Ok() const { return errors.empty(); }
};

// Column 1 of FIRgrid from row 0 down to the first empty cell, at most the
// 300 values the filter holds. The first cell that is not a number ends the
// read with the conversion error's text ("'abc' is not a valid floating point
// value"), a number too large for a double with "Floating point overflow".
TableRead ReadFirTable(const CellStore& firGrid);

// b[0..N-1] from column 2 of rows 1..N and a[1..N-1] from column 1 of rows
// 2..N, N being the number of rows the filter uses for `iirOrder`; the a cell
// of row 1 is never read. Each row whose text is not a number adds
// "Error in data for IIR Filter. Row k" (k the row's index) and the read goes
// on; a number too large for a double ends it with "Floating point overflow".
TableRead ReadIirTable(const CellStore& iirGrid, std::int32_t iirOrder);

} // namespace signova
