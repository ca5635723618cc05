#pragma once

#include "coefficients/table_load.h"
#include "engine/simulator_state.h"
#include "toolkit/cell_store.h"
#include "toolkit/dialogs.h"
#include "toolkit/line_buffer.h"

#include <functional>
#include <string>

namespace signova {

// FIRgrid: column 0 (fixed) labels "h0", "h1", ...; column 1 the values.
constexpr int FirGridColumns = 2;
constexpr int FirGridRows = 200;
constexpr int FirGridFixedColumns = 1;
constexpr int FirGridFixedRows = 0;

// A file may hold at most this many values.
constexpr int MaxFirFileLines = 300;

// The label of a FIRgrid row: "h0", "h1", ...
std::string TapLabel(int row);

// An empty FIRgrid of the start-up shape.
CellStore NewFirGrid();

// Start-up contents: a 48-tap moving average in rows 0 to 47, 200 rows,
// FirLastTap 47.
void SetDefaultFirTable(CellStore& grid, SimulatorState& state);

// Puts a coefficient file, just read into `lines`, into FIRgrid. The window
// has stopped the run and read the file; when the result is accepted it shows
// the label and calls ReadFIRCoefficients.
// A refused file (a question answered No) leaves everything as it was; so does
// a file of more than 300 lines, after the plain box "Number of FIR elements
// must be less then 300". Otherwise the row count follows the line count and
// the lines up to the first empty one are copied, with an empty value cell
// written right after the last one copied.
TableLoad LoadFIRTable(SimulatorState& state, CellStore& grid, LineBuffer& lines, Dialogs& dialogs);

// The table's values as "Show FIR" plots them: for each row from 0 up to and
// including FirLastTap, in order, the value cell's text converted by StrToFloat
// and handed to `take` with its row. Unlike ReadFIRCoefficients an empty cell
// does not end the table: it throws ConversionError like any other text that
// is not a number, after the rows before it were handed over. Nothing is
// written to the filter.
void ForEachFIRTableValue(const SimulatorState& state, const CellStore& grid,
                          const std::function<void(int row, double value)>& take);

} // namespace signova
