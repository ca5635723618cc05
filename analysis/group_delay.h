#pragma once

#include "analysis/filter_coefficients.h"

#include <vector>

namespace signova {

// The group delay in samples at each frequency (Hz): -d(phase)/d(omega) of
// B(z)/A(z), A(z) = 1 - a[1] z^-1 - ... (the feedback is added), computed
// exactly as Re(sum k c_k z^-k / sum c_k z^-k) for each polynomial. Where
// the numerator or denominator vanishes (a zero on the unit circle) the delay
// is not defined: NaN, which the chart leaves as a gap. A linear-phase FIR of
// N taps gives (N - 1) / 2 everywhere else.
std::vector<double> GroupDelay(const FilterCoefficients& filter,
                               const std::vector<double>& frequencies, double sampleRate);

// The phase (degrees, -180 < p <= 180, NaN for gaps) with the jumps of 360
// taken out: each point differs from the one before it by less than 180.
// A gap starts the count afresh from the next wrapped value.
std::vector<double> UnwrappedDegrees(const std::vector<double>& wrapped);

} // namespace signova
