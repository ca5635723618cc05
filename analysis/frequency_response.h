#pragma once

#include "analysis/filter_coefficients.h"

#include <span>
#include <vector>

namespace signova {

// H(e^jw) of a filter at one frequency:
//   H = (sum b[k] e^-jwk) / (1 - sum a[k] e^-jwk),  w = 2*pi*frequency/sampleRate
// (minus in the denominator because the feedback is added).
struct ResponsePoint {
    double frequency = 0.0; // Hz
    // The denominator vanishes here (a pole on the unit circle): the gain is
    // infinite, `magnitude` is +infinity and `phase` is not a number.
    bool infinite = false;
    double magnitude = 0.0; // |H|
    double phase = 0.0;     // arg H in radians, -pi < phase <= pi

    // 20 log10 |H|: +infinity when infinite, -infinity for a gain of 0.
    double MagnitudeDb() const;
};

ResponsePoint ResponseAt(const FilterCoefficients& filter, double frequency, double sampleRate);

// One point per frequency, in the order given.
std::vector<ResponsePoint> FrequencyResponse(const FilterCoefficients& filter,
                                             std::span<const double> frequencies,
                                             double sampleRate);

// `count` frequencies evenly spaced from 0 to sampleRate / 2, both included
// (count >= 2).
std::vector<double> FrequenciesUpToHalfRate(int count, double sampleRate);

// Where a tone of `frequency` lands after sampling at `sampleRate`: folded
// into 0 .. sampleRate / 2 (30 kHz at 48 kHz lands at 18 kHz).
double FoldedFrequency(double frequency, double sampleRate);

} // namespace signova
