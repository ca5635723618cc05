#pragma once

#include "engine/simulator_state.h"
#include "toolkit/number_text.h"

#include <cstdint>

namespace signova {

// The DAC: brings a whole number within +-2^63 (the rounded filter output)
// into [-maxCode, maxCode] by whole steps of 2*maxCode, the fewest that do it (2048 -> -2046 and
// -2048 -> 2046 for maxCode 2047). `wrapped` tells whether any step was needed. Takes the same time
// whatever the size of the value.
double WrapToConverterRange(double value, std::int32_t maxCode, bool& wrapped);

enum class FilterKind { Fir, Iir };

// The ADC: the generator value rounded to the nearest code, halves to even.
// Throws InvalidOperationError for a value beyond the signed 64-bit range.
inline double AdcCode(double generatorValue) {
    return static_cast<double>(RoundHalfEven(generatorValue));
}

// The DAC side of a sample: the filter output rounded, halves to even, and
// wrapped with MaxCode as it is now, into OutputSample. Returns whether the
// DAC wrapped. Throws InvalidOperationError when the output lies beyond the
// signed 64-bit range; OutputSample then keeps its previous value.
bool StoreOutputSample(SimulatorState& state, double filterOutput);

// One sample through the chain: generator, ADC rounding into InputSample,
// the filter, rounding and the DAC wrap (with MaxCode as it is now) into
// OutputSample. Returns whether the DAC wrapped, for the overflow lamp.
// Throws InvalidOperationError when the filter output lies beyond the signed
// 64-bit range; OutputSample then keeps its previous value.
bool ComputeSample(SimulatorState& state, FilterKind filter);

} // namespace signova
