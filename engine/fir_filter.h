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

// The FIR sums of `count` consecutive outputs, computed `Chains` at a time in
// interleaved independent chains (the sum of one output is a chain of
// dependent additions; the sums of different outputs are not). `newestFirst`
// holds the inputs newest first, as the delay line does: sums[j] is
// h[L]*newestFirst[j + L] + ... + h[0]*newestFirst[j], summed from the highest
// tap down exactly as FIRStep sums, so it equals FIRStep's result bit for bit.
// Reads newestFirst[0 .. count - 1 + lastTap]. An empty table (lastTap < 0)
// gives 0. `count` is a multiple of Chains.
template <int Chains>
void FirSums(const double* coefficients, int lastTap, const double* newestFirst, int count,
             double* sums);

// The chain counts the kernel is built for.
extern template void FirSums<1>(const double*, int, const double*, int, double*);
extern template void FirSums<4>(const double*, int, const double*, int, double*);
extern template void FirSums<8>(const double*, int, const double*, int, double*);

} // namespace signova
