#include "scope/fir_look_ahead.h"

#include "engine/fir_filter.h"
#include "engine/signal_generator.h"
#include "scope/sweep_capture.h"
#include "toolkit/errors.h"

#include <algorithm>
#include <cstring>

namespace signova {

FirLookAhead::FirLookAhead(int chains) : chains_(chains == 1 || chains == 4 ? chains : 8) {}

void FirLookAhead::Plan(const SimulatorState& state, const ScopeControls& controls) {
    LookAheadFields::Copy(state, scratch_);
    timebaseItem_ = controls.timebaseItem;
    firLastTap_ = state.FirLastTap;
    samples_ = BlockLength;
    lastSampleFails_ = false;
    for (int i = 0; i < BlockLength; ++i) {
        const double value = GenerateSample(scratch_);
        generated_[Index(i)] = LookAheadFields::Take(scratch_);
        try {
            newestFirst_[Newest(i)] = AdcCode(value);
        } catch (const InvalidOperationError&) {
            // The chain stops at this sample; its commit fails the same way.
            samples_ = i + 1;
            lastSampleFails_ = true;
            failingValue_ = value;
            break;
        }
        AdvanceSweep(scratch_, controls);
        swept_[Index(i)] = LookAheadFields::Take(scratch_);
    }
    ComputeSums(state);
}

void FirLookAhead::ComputeSums(const SimulatorState& state) {
    // As FIRStep: a FirLastTap beyond the table is clamped to its end.
    lastTap_ = std::min(state.FirLastTap, FirCoefficientCount - 1);
    const int known = samples_ - (lastSampleFails_ ? 1 : 0);
    // Places of samples that will never be committed get silence.
    std::fill_n(newestFirst_.begin(), BlockLength - known, 0.0);
    if (lastTap_ > 0)
        std::memcpy(&newestFirst_[BlockLength], &state.InputDelay[1],
                    static_cast<std::size_t>(lastTap_) * sizeof(double));
    const double* h = state.FirCoefficients.data();
    switch (chains_) {
    case 1:
        FirSums<1>(h, lastTap_, newestFirst_.data(), BlockLength, sums_.data());
        break;
    case 4:
        FirSums<4>(h, lastTap_, newestFirst_.data(), BlockLength, sums_.data());
        break;
    default:
        FirSums<8>(h, lastTap_, newestFirst_.data(), BlockLength, sums_.data());
        break;
    }
}

} // namespace signova
