#pragma once

#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "scope/scope_controls.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

// Looking ahead in an FIR run, so that the filter can compute a block of
// outputs at once.
//
// The FIR sum of one output is a chain of dependent additions, each waiting
// for the last; the sums of different outputs are independent and can run
// side by side. The inputs of the coming samples never depend on an output:
// they follow from the generator's state (Phase, PulseFired, RandomState), the
// settings (SignalFrequency, SampleRate, Waveform, Amplitude, MaxCode,
// SampleSpacing), the timebase choice and the trigger and sweep state
// (Capturing, SweepIndex, SweepLength), because while the scope waits for a
// trigger it moves Phase on. The look-ahead runs the generator, the ADC and
// the trigger bookkeeping for a block of samples on a scratch copy of just
// those fields, then computes the block's FIR sums in one kernel call over the
// delay line extended by the block's inputs.
//
// The run loop then commits the block one sample at a time, exactly as the
// sample-by-sample chain would leave the state, and after each sample's
// message processing asks whether the block still holds; a change of any of
// the fields above, of the timebase choice or of the table's length
// (FirLastTap) drops the rest of the block.
namespace signova {

class FirLookAhead {
public:
    // Samples looked ahead at once: a multiple of every interleave width.
    static constexpr int BlockLength = 32;

    // `chains`: outputs computed side by side by the kernel, 1, 4 or 8.
    explicit FirLookAhead(int chains = 8);

    // Looks ahead BlockLength samples from `state`, with the timebase choice
    // of `controls` for any trigger in the block. Reads the FIR table and the
    // delay line as they are now.
    void Plan(const SimulatorState& state, const ScopeControls& controls);

    // Samples of the plan that can be committed: BlockLength, or fewer when
    // the ADC cannot round a generator value; the commit of that last sample
    // then fails as the chain does.
    int Samples() const { return samples_; }

    // Gives `state` planned sample `i` as ComputeSample with FIRStep would:
    // Phase, PulseFired and RandomState as the generator left them, the ADC
    // code in InputSample, the delay line shifted, then the output rounded and
    // wrapped (with MaxCode as it is now) into OutputSample. Returns whether
    // the DAC wrapped. Throws InvalidOperationError where the chain does: when
    // the ADC cannot round the generator value (only the generator state is
    // given then), or when the output lies beyond the signed 64-bit range
    // (OutputSample then keeps its value).
    bool CommitSample(SimulatorState& state, int i) const;

    // After planned sample `i` went through ScopeSample and the messages that
    // followed it: whether sample i + 1 still follows from the plan, that is
    // whether the settings, the timebase choice of `controls`, the generator
    // state, the trigger and sweep state and the table's length (FirLastTap)
    // are what the plan expects.
    bool StillHolds(const SimulatorState& state, const ScopeControls& controls, int i) const;

    // What the plan holds for sample `i`: the ADC code, the filter output
    // before the DAC's rounding, and the generator state after the sample.
    double Input(int i) const { return newestFirst_[Newest(i)]; }
    double FilterOutput(int i) const { return sums_[Newest(i)]; }
    double GeneratorPhase(int i) const { return generated_[Index(i)].phase; }
    bool GeneratorPulseFired(int i) const { return generated_[Index(i)].pulseFired; }
    std::uint32_t GeneratorRandomState(int i) const { return generated_[Index(i)].randomState; }

private:
    // The generator's state after a sample.
    struct Generated {
        double phase = 0.0;
        std::uint32_t randomState = 0;
        bool pulseFired = false;
    };
    // The fields that the sample's ScopeSample leaves for the next sample.
    struct Swept {
        std::uint64_t phaseBits = 0;
        std::int32_t sweepIndex = 0;
        std::int32_t sweepLength = 0;
        bool capturing = false;
    };
    // The settings and control the whole block was planned with.
    struct Settings {
        std::uint64_t signalFrequencyBits = 0;
        std::uint64_t sampleSpacingBits = 0;
        std::int32_t sampleRate = 0;
        std::int32_t waveform = 0;
        std::int32_t amplitude = 0;
        std::int32_t maxCode = 0;
        int timebaseItem = 0;
        std::int32_t firLastTap = 0; // the sums' length
        bool operator==(const Settings&) const = default;
    };

    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    // Position of sample i's input (and sum) in the newest-first buffers.
    static std::size_t Newest(int i) { return static_cast<std::size_t>(BlockLength - 1 - i); }
    static Settings SettingsOf(const SimulatorState& state, const ScopeControls& controls);

    void CopyLookAheadFields(const SimulatorState& state);
    void ComputeSums(const SimulatorState& state);

    int chains_;
    int samples_ = 0;
    bool lastSampleFails_ = false;
    double failingValue_ = 0.0;
    int lastTap_ = -1;
    Settings settings_;
    std::array<Generated, BlockLength> generated_{};
    std::array<Swept, BlockLength> swept_{};
    // The block's inputs, newest first, followed by the delay line's inputs
    // from before the block: what the delay line holds after each sample.
    std::array<double, BlockLength + FirCoefficientCount> newestFirst_{};
    std::array<double, BlockLength> sums_{}; // newest first, like the inputs
    // The generator and trigger run on this; only the fields they need are
    // copied in for each plan.
    SimulatorState scratch_;
};

// These run once per sample: inline.

inline FirLookAhead::Settings FirLookAhead::SettingsOf(const SimulatorState& state,
                                                       const ScopeControls& controls) {
    Settings settings;
    settings.signalFrequencyBits = std::bit_cast<std::uint64_t>(state.SignalFrequency);
    settings.sampleSpacingBits = std::bit_cast<std::uint64_t>(state.SampleSpacing);
    settings.sampleRate = state.SampleRate;
    settings.waveform = state.Waveform;
    settings.amplitude = state.Amplitude;
    settings.maxCode = state.MaxCode;
    settings.timebaseItem = controls.timebaseItem;
    settings.firLastTap = state.FirLastTap;
    return settings;
}

inline bool FirLookAhead::CommitSample(SimulatorState& state, int i) const {
    const Generated& generated = generated_[Index(i)];
    state.Phase = generated.phase;
    state.PulseFired = generated.pulseFired;
    state.RandomState = generated.randomState;
    if (lastSampleFails_ && i == samples_ - 1)
        state.InputSample = AdcCode(failingValue_); // throws, as it did in the plan
    const double* newest = &newestFirst_[Newest(i)];
    state.InputSample = *newest;
    // The delay line as FIRStep leaves it: the input in entries 0 and 1, the
    // older inputs behind it up to entry lastTap + 1.
    state.InputDelay[0] = *newest;
    if (lastTap_ >= 0)
        std::memcpy(&state.InputDelay[1], newest,
                    static_cast<std::size_t>(lastTap_ + 1) * sizeof(double));
    return StoreOutputSample(state, sums_[Newest(i)]);
}

inline bool FirLookAhead::StillHolds(const SimulatorState& state, const ScopeControls& controls,
                                     int i) const {
    const Generated& generated = generated_[Index(i)];
    const Swept& swept = swept_[Index(i)];
    return std::bit_cast<std::uint64_t>(state.Phase) == swept.phaseBits &&
           state.Capturing == swept.capturing && state.SweepIndex == swept.sweepIndex &&
           state.SweepLength == swept.sweepLength && state.PulseFired == generated.pulseFired &&
           state.RandomState == generated.randomState && SettingsOf(state, controls) == settings_;
}

} // namespace signova
