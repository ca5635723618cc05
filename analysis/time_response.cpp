#include "analysis/time_response.h"

#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/simulator_state.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace signova {
namespace {

// RoundHalfEven's range: the run rounds every output and ends beyond it.
constexpr double RoundingLimit = 9223372036854775808.0; // 2^63

bool IsIir(const FilterCoefficients& filter) {
    return filter.a.size() > 1;
}

TimeResponse Respond(const FilterCoefficients& filter, int count, bool step) {
    // A whole state on the heap: it is large, and it is the run's type, so
    // the step functions see exactly what they see in a run.
    auto scratch = std::make_unique<SimulatorState>();
    const bool iir = IsIir(filter);
    if (iir) {
        const std::size_t rows = std::min(filter.b.size(), scratch->IirBCoefficients.size());
        std::copy_n(filter.b.begin(), rows, scratch->IirBCoefficients.begin());
        std::copy_n(filter.a.begin(), std::min(rows, filter.a.size()),
                    scratch->IirACoefficients.begin());
        scratch->IirOrder = static_cast<std::int32_t>(rows);
    } else {
        const std::size_t taps = std::min(filter.b.size(), scratch->FirCoefficients.size());
        std::copy_n(filter.b.begin(), taps, scratch->FirCoefficients.begin());
        scratch->FirLastTap = static_cast<std::int32_t>(taps) - 1;
    }
    TimeResponse response;
    response.samples.reserve(static_cast<std::size_t>(std::max(0, count)));
    for (int n = 0; n < count; ++n) {
        const double x = step || n == 0 ? 1.0 : 0.0;
        const double y = iir ? IIRStep(*scratch, x) : FIRStep(*scratch, x);
        if (!(y >= -RoundingLimit && y < RoundingLimit)) {
            response.endsInvalid = true;
            break;
        }
        response.samples.push_back(y);
    }
    return response;
}

} // namespace

int TimeResponseLength(const FilterCoefficients& filter) {
    if (IsIir(filter))
        return 256;
    return std::max(64, static_cast<int>(filter.b.size()) + 16);
}

TimeResponse ImpulseResponse(const FilterCoefficients& filter, int count) {
    return Respond(filter, count, false);
}

TimeResponse StepResponse(const FilterCoefficients& filter, int count) {
    return Respond(filter, count, true);
}

} // namespace signova
