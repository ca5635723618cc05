#pragma once

#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "scope/scope_controls.h"
#include "toolkit/bit_cast.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <type_traits>
#include <utility>

// Looking ahead in an FIR run, so that the filter can compute a block of
// outputs at once.
//
// The FIR sum of one output is a chain of dependent additions, each waiting
// for the last; the sums of different outputs are independent and can run
// side by side. The inputs of the coming samples never depend on an output:
// they follow from the state fields that the generator and the trigger and
// sweep bookkeeping read (LookAheadFields below) and from the timebase
// choice; while the scope waits for a trigger it moves Phase on. The
// look-ahead runs the generator, the ADC and the trigger bookkeeping for a
// block of samples on a scratch copy of just those fields, then computes the
// block's FIR sums in one kernel call over the delay line extended by the
// block's inputs.
//
// The run loop then commits the block one sample at a time, exactly as the
// sample-by-sample chain would leave the state, and after each sample's
// message processing asks whether the block still holds; a change of any of
// those fields, of the timebase choice or of the table's length (FirLastTap)
// drops the rest of the block.
namespace signova {

// Fields of SimulatorState named by member pointers, copied and compared as
// one list. The values of the fields are kept in a tuple whose types follow
// from the pointers, so that a snapshot holds only these fields and not the
// state's delay lines and buffers.
template <auto... Members> class StateFields {
    template <class Pointer> struct FieldOf;
    template <class T> struct FieldOf<T SimulatorState::*> { using Type = T; };
    using Indices = std::index_sequence_for<decltype(Members)...>;

public:
    using Values = std::tuple<typename FieldOf<decltype(Members)>::Type...>;

    static void Copy(const SimulatorState& from, SimulatorState& to) {
        ((to.*Members = from.*Members), ...);
    }

    static Values Take(const SimulatorState& state) { return Values{state.*Members...}; }

    static void Give(const Values& values, SimulatorState& state) {
        GiveEach(values, state, Indices{});
    }

    // Whether `state` holds `values`. Doubles compare bit for bit (a NaN
    // equals itself, -0 differs from 0): the plan holds exactly while the
    // fields hold the bits it was made from.
    static bool Same(const SimulatorState& state, const Values& values) {
        return SameEach(state, values, Indices{});
    }

private:
    template <std::size_t... I>
    static void GiveEach(const Values& values, SimulatorState& state, std::index_sequence<I...>) {
        ((state.*Members = std::get<I>(values)), ...);
    }

    template <std::size_t... I>
    static bool SameEach(const SimulatorState& state, const Values& values,
                         std::index_sequence<I...>) {
        return (SameValue(state.*Members, std::get<I>(values)) && ...);
    }

    template <class T> static bool SameValue(T a, T b) {
        if constexpr (std::is_same_v<T, double>)
            return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
        else
            return a == b;
    }
};

// Every SimulatorState field that GenerateSample or AdvanceSweep reads: the
// look-ahead copies these into its scratch state before it runs the two, each
// commit gives the generator's results back to the run's state, and a block
// holds only while the run's state still has what the plan expects in each of
// them. A field that either function comes to read is added here and nowhere
// else; one left out would be read from the scratch state instead of the
// run's. Fields they only write (the sweep's TimebaseFactor, SweepSpacing and
// OutputOffset) do not belong here: the run's own ScopeSample writes them.
// Grouped by type, so that the snapshots pack without gaps.
using LookAheadFields = StateFields<
    // doubles
    &SimulatorState::Phase, &SimulatorState::SignalFrequency, &SimulatorState::SampleSpacing,
    // 32-bit integers
    &SimulatorState::SampleRate, &SimulatorState::Waveform, &SimulatorState::Amplitude,
    &SimulatorState::MaxCode, &SimulatorState::SweepIndex, &SimulatorState::SweepLength,
    &SimulatorState::RandomState,
    // flags
    &SimulatorState::PulseFired, &SimulatorState::Capturing>;

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
    // the LookAheadFields as the generator left them (of these it changes
    // only its own state; the others are given back as they were), the ADC
    // code in InputSample, the delay line shifted, then the output rounded
    // and wrapped (with MaxCode as it is now) into OutputSample. Returns
    // whether the DAC wrapped. Throws InvalidOperationError where the chain
    // does: when the ADC cannot round the generator value (only the
    // LookAheadFields are given then), or when the output lies beyond the
    // signed 64-bit range (OutputSample then keeps its value).
    bool CommitSample(SimulatorState& state, int i) const;

    // After planned sample `i` went through ScopeSample and the messages that
    // followed it: whether sample i + 1 still follows from the plan, that is
    // whether the LookAheadFields, the timebase choice of `controls` and the
    // table's length (FirLastTap) are what the plan expects.
    bool StillHolds(const SimulatorState& state, const ScopeControls& controls, int i) const;

    // What the plan holds for sample `i`: the ADC code, the filter output
    // before the DAC's rounding, and the LookAheadFields after the generator.
    double Input(int i) const { return newestFirst_[Newest(i)]; }
    double FilterOutput(int i) const { return sums_[Newest(i)]; }
    const LookAheadFields::Values& Generated(int i) const { return generated_[Index(i)]; }

private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    // Position of sample i's input (and sum) in the newest-first buffers.
    static std::size_t Newest(int i) { return static_cast<std::size_t>(BlockLength - 1 - i); }

    void ComputeSums(const SimulatorState& state);

    int chains_;
    int samples_ = 0;
    bool lastSampleFails_ = false;
    double failingValue_ = 0.0;
    int lastTap_ = -1;
    // What the whole block was planned with besides the LookAheadFields.
    int timebaseItem_ = 0;
    std::int32_t firLastTap_ = 0; // the sums' length
    // The LookAheadFields after each sample's generator, and after its
    // trigger and sweep bookkeeping: what the next sample starts from.
    std::array<LookAheadFields::Values, BlockLength> generated_{};
    std::array<LookAheadFields::Values, BlockLength> swept_{};
    // The block's inputs, newest first, followed by the delay line's inputs
    // from before the block: what the delay line holds after each sample.
    std::array<double, BlockLength + FirCoefficientCount> newestFirst_{};
    std::array<double, BlockLength> sums_{}; // newest first, like the inputs
    // The generator and trigger run on this; only the LookAheadFields are
    // copied in for each plan.
    SimulatorState scratch_;
};

// These run once per sample: inline.

inline bool FirLookAhead::CommitSample(SimulatorState& state, int i) const {
    // Of these fields the generator changed only its own; the others are
    // what StillHolds found in the state, or what the plan copied from it.
    LookAheadFields::Give(generated_[Index(i)], state);
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
    return LookAheadFields::Same(state, swept_[Index(i)]) &&
           controls.timebaseItem == timebaseItem_ && state.FirLastTap == firLastTap_;
}

} // namespace signova
