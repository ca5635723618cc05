#pragma once

#include "coefficients/table_load.h"
#include "engine/simulator_state.h"
#include "toolkit/cell_store.h"
#include "toolkit/dialogs.h"
#include "toolkit/line_buffer.h"
#include "toolkit/virtual_keys.h"

#include <string_view>

namespace signova {

// IIRGrid: row 0 (fixed) is the header "a", "b"; row r holds the coefficients
// of index r - 1: column 0 (fixed) the index, column 1 a, column 2 b.
constexpr int IirGridColumns = 3;
constexpr int IirGridRows = 2;
constexpr int IirGridFixedColumns = 1;
constexpr int IirGridFixedRows = 1;

// a[0] is never used; its cell shows this instead.
constexpr std::string_view UnusedACoefficientText = "  - - -";

// A file may hold at most this many coefficient rows.
constexpr int MaxIirFileRows = 100;
// The row keys never grow the table beyond what the coefficient arrays hold.
constexpr int MaxIirOrder = IirCoefficientCount;

// An empty IIRGrid of the start-up shape.
CellStore NewIirGrid();

// Start-up contents: header "a", "b"; row 1 "0", "  - - -", "1"; 2 rows;
// IirOrder 1 (the filter passes its input through).
void SetDefaultIirTable(CellStore& grid, SimulatorState& state);

// Puts a coefficient file, just read into `lines`, into IIRGrid. The window
// has stopped the run and read the file; when the result is accepted it shows
// the label and calls ReadIIRCoefficients.
// A refused file leaves the table, the label and IirOrder as they were; so
// does a file of more than 100 rows, after the plain box "Number of IIR
// elements must be less then 100".
TableLoad LoadIIRTable(SimulatorState& state, CellStore& grid, LineBuffer& lines, Dialogs& dialogs);

// A key went down in the table. With Shift held: Delete (46) removes the last
// coefficient row, Insert (45) appends one (up to MaxIirOrder coefficient rows), never
// fewer than one row remains; then every key (Shift itself included) numbers
// column 0 afresh and fills empty a and b cells with "0". IirOrder follows the
// row count. Without Shift nothing happens.
void IirGridKeyDown(CellStore& grid, SimulatorState& state, int virtualKey, bool shiftHeld);

// Whether a cell may become the selected cell: never the header row or the
// index column.
bool IirGridCanSelect(int column, int row);

} // namespace signova
