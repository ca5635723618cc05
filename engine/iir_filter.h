#pragma once

#include "engine/simulator_state.h"
#include "toolkit/cell_store.h"
#include "toolkit/dialogs.h"

#include <cstdint>
#include <string>

namespace signova {

// Columns of the IIR table; row r holds the coefficients of index r - 1.
constexpr int IirAColumn = 1;
constexpr int IirBColumn = 2;

// The number of coefficient rows the filter uses for a given IirOrder: the
// table keeps it between 1 and 103, and the filter never goes beyond that
// whatever the field holds.
int IirRowsInUse(std::int32_t iirOrder);

// The text reported for a row of index k whose a or b text is not a number:
// "Error in data for IIR Filter. Row k".
std::string BadIirRowText(int index);

// Reads b[0] and the rows of index 1 to IirOrder - 1 into the coefficient
// arrays and clears their delay entries. A row whose text is not a number is
// reported in its own message box ("Error in data for IIR Filter. Row k"),
// keeps its previous coefficients and delay entries, and sets LoadError; the
// read goes on with the next row. a[0] is never read. A FloatOverflowError
// ends the whole read and propagates.
void ReadIIRCoefficients(SimulatorState& state, const CellStore& iirGrid, Dialogs& dialogs);

// One filter step with N = IirOrder coefficient rows:
//   y = b0*x + b1*x[n-1] + ... + a1*y[n-1] + ...
// (feedback added). Products and sums use a 64-bit significand; the sum is
// rounded to double once for N <= 2 and after every addition for N >= 3.
double IIRStep(SimulatorState& state, double x);

} // namespace signova
