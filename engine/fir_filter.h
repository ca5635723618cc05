#pragma once

#include "engine/simulator_state.h"
#include "toolkit/cell_store.h"

namespace signova {

// The FIR table's value column.
constexpr int FirValueColumn = 1;

// Copies column 1 of the FIR table, from row 0 down to the first empty cell,
// into FirCoefficients and clears the matching delay entries; FirLastTap
// becomes the index of the last value read. The read stops after 300 values,
// all the filter holds. A cell that is not a number throws ConversionError or
// FloatOverflowError; the rows above it are already replaced and FirLastTap
// keeps its value.
void ReadFIRCoefficients(SimulatorState& state, const CellStore& firGrid);

// One filter step: y = h[L]*x[n-L] + ... + h[0]*x[n], summed from the highest
// tap down, each product and addition with a 64-bit significand and the sum
// rounded to double after every addition. Shifts the delay line by one.
double FIRStep(SimulatorState& state, double x);

} // namespace signova
