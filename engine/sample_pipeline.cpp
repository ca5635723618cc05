#include "engine/sample_pipeline.h"

#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/signal_generator.h"
#include "toolkit/number_text.h"

namespace signova {
namespace {

__extension__ using Int128 = __int128;

// Every value the run loop rounds is a whole number within +-2^63, so it and
// the step count fit a 128-bit integer exactly.
// value lies outside [-maxCode, maxCode].
double WrapInteger(double value, std::int32_t maxCode) {
    const auto v = static_cast<Int128>(value);
    const Int128 m = maxCode;
    const Int128 step = 2 * m;
    if (v > m) {
        const Int128 steps = (v - m + step - 1) / step; // ceil((v - m) / 2m)
        return static_cast<double>(v - steps * step);
    }
    const Int128 steps = (-m - v + step - 1) / step; // ceil((-m - v) / 2m)
    return static_cast<double>(v + steps * step);
}

} // namespace

double WrapToConverterRange(double value, std::int32_t maxCode, bool& wrapped) {
    wrapped = false;
    const double m = maxCode;
    // Without a positive range there is no step to wrap by.
    if (maxCode <= 0 || (value >= -m && value <= m))
        return value;
    wrapped = true;
    return WrapInteger(value, maxCode);
}

bool StoreOutputSample(SimulatorState& state, double filterOutput) {
    const double rounded = static_cast<double>(RoundHalfEven(filterOutput));
    bool wrapped = false;
    state.OutputSample = WrapToConverterRange(rounded, state.MaxCode, wrapped);
    return wrapped;
}

bool ComputeSample(SimulatorState& state, FilterKind filter) {
    state.InputSample = AdcCode(GenerateSample(state));
    const double y = filter == FilterKind::Fir ? FIRStep(state, state.InputSample)
                                               : IIRStep(state, state.InputSample);
    return StoreOutputSample(state, y);
}

} // namespace signova
