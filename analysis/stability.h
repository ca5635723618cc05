#pragma once

#include "analysis/filter_coefficients.h"

namespace signova {

// Whether every pole of the filter lies strictly inside the unit circle,
// i.e. every root of z^M - a[1] z^(M-1) - ... - a[M] (a Schur-Cohn test on
// the denominator). A pole on the circle (a[1] = 1 alone: a running sum)
// counts as unstable; a filter without feedback is always stable.
bool IsStable(const FilterCoefficients& filter);

} // namespace signova
