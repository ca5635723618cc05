#include "engine/sample_pipeline.h"

#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/signal_generator.h"
#include "toolkit/number_text.h"

#include <cmath>

namespace signova {
namespace {

// value lies outside [-maxCode, maxCode] and is a whole number below 2^64 in
// magnitude (every value the run loop rounds lies within +-2^63). It moves by
// ceil(beyond / 2m) steps of 2m towards zero, onto (-m, m] from above and
// [-m, m) from below; in unsigned 64-bit integers, which every target has.
double WrapInteger(double value, std::int32_t maxCode) {
    const auto m = static_cast<std::uint64_t>(maxCode);
    const std::uint64_t step = 2 * m;
    const std::uint64_t beyond = static_cast<std::uint64_t>(std::fabs(value)) - m;
    const std::uint64_t rest = beyond % step;
    const double inside = rest == 0 ? static_cast<double>(m)
                                    : static_cast<double>(m) - static_cast<double>(step - rest);
    return value > 0 ? inside : -inside;
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
