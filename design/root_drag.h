#pragma once

#include "design/polynomial_roots.h"
#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "toolkit/cell_store.h"

#include <cstddef>

namespace signova {

// One root of a filter: which polynomial, and its place in that list.
enum class RootSet { Zeros, Poles };
struct RootRef {
    RootSet set = RootSet::Zeros;
    std::size_t index = 0;
    bool operator==(const RootRef&) const = default;
};

// Moves one root to `to`, keeping the coefficients real: a complex root's
// conjugate follows it (and it stays off the real axis, on its own side), a
// real root stays on the real axis (only the real part of `to` counts).
void MoveRoot(FilterRoots& roots, RootRef which, Root to);

// The coefficients the roots give, with the lengths of `like` (the table's):
// b = lead * prod (z - zero), so the first non-zero coefficient is kept;
// for an IIR table a = FeedbackOf(poles), in the program's sign convention.
FilterCoefficients CoefficientsOfRoots(const FilterRoots& roots, const FilterCoefficients& like);

// Writes the coefficients into the table's existing rows, each as the
// shortest text that gives it back (ShortestDoubleText); labels, row count
// and the a[0] cell stay as they are.
void WriteCoefficientCells(const FilterCoefficients& coefficients, FilterKind table,
                           CellStore& grid);

} // namespace signova
