#pragma once

#include "analysis/filter_coefficients.h"

#include <vector>

namespace signova {

// The first samples of a table's impulse or step response, computed by the
// run's own filter step (FIRStep or IIRStep) on a scratch state, never the
// run's: bit for bit what the filter gives a 1 followed by zeros, or ones.
struct TimeResponse {
    std::vector<double> samples;
    // The response grew beyond what the run can round (|y| >= 2^63, or not a
    // number): a run would end at this sample with "Invalid floating point
    // operation"; `samples` stops before it.
    bool endsInvalid = false;
};

// How many samples the view shows: max(64, taps + 16) of a FIR table, 256 of
// an IIR one.
int TimeResponseLength(const FilterCoefficients& filter);

TimeResponse ImpulseResponse(const FilterCoefficients& filter, int count);
TimeResponse StepResponse(const FilterCoefficients& filter, int count);

} // namespace signova
