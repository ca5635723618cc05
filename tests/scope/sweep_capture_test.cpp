#include "scope/sweep_capture.h"

#include "engine/settings.h"
#include "engine/signal_generator.h"

#include <gtest/gtest.h>

namespace signova {
namespace {

// A state at the given sample rate and converter width, waiting for a trigger.
SimulatorState ScopeState(const char* rate = "48000", const char* bits = "12") {
    SimulatorState state;
    BitsChange(state, bits, rate, 100);
    SampleChange(state, rate, bits);
    state.Phase = 0;
    return state;
}

ScopeControls Controls(int timebaseItem = 1, int inputItem = InputShownItem, int amplitude = 100) {
    ScopeControls controls;
    controls.timebaseItem = timebaseItem;
    controls.inputItem = inputItem;
    controls.amplitudePosition = amplitude;
    controls.chartWidth = 369;
    return controls;
}

// Feeds samples until the sweep completes; returns how many calls that took.
int CallsUntilComplete(SimulatorState& state, const ScopeControls& controls) {
    for (int calls = 1; calls <= 1000; ++calls)
        if (CaptureSample(state, calls, -calls, controls).sweepComplete)
            return calls;
    return -1;
}

TEST(StartSweep, IsOneHundredNinetyTwoSamplesAtFactorOne) {
    SimulatorState state;
    SetStartSweep(state);
    EXPECT_EQ(state.SweepSpacing, 2.0833333333333335);
    EXPECT_EQ(state.TimebaseFactor, 1);
    EXPECT_EQ(state.SweepLength, 192);
}

// ---- Waiting for the trigger ----

struct PhaseCase {
    double before;
    double after;
    bool fires;
};

class TriggerWait : public ::testing::TestWithParam<PhaseCase> {};

TEST_P(TriggerWait, CreepsThePhaseThenTestsIt) {
    const PhaseCase& c = GetParam();
    SimulatorState state = ScopeState();
    state.Phase = c.before;
    const CaptureOutcome outcome = CaptureSample(state, 5, 6, Controls());
    EXPECT_EQ(state.Phase, c.after);
    EXPECT_EQ(outcome.triggered, c.fires);
    EXPECT_EQ(state.Capturing, c.fires);
    EXPECT_FALSE(outcome.sweepComplete);
}

INSTANTIATE_TEST_SUITE_P(
    PhaseCases, TriggerWait,
    ::testing::Values(PhaseCase{0.0015, 0.0015 + 0.00001, true},    // creeps, still low
                      PhaseCase{0.0005, 0.0005, true},              // too low to creep
                      PhaseCase{0.001, 0.001, true},                // creep needs more than 0.001
                      PhaseCase{0.0, 0.0, true},                    //
                      PhaseCase{0.002, 0.002 + 0.00001, false},     // crept past the low window
                      PhaseCase{0.5, 0.5 + 0.00001, false},         //
                      PhaseCase{0.99998, 0.99998 + 0.00001, false}, // 0.99999 is not high enough
                      PhaseCase{0.999995, 0.999995 + 0.00001, true})); // 1.000005 fires

// Both comparisons are strict: a phase that creeps to exactly 0.002 or exactly
// 0.99999999 does not fire; the double just inside either bound does.
INSTANTIATE_TEST_SUITE_P(
    TriggerBounds, TriggerWait,
    ::testing::Values(PhaseCase{0.00199, 0.002, false},
                      PhaseCase{0.0019899999999999996, 0.0019999999999999996, true},
                      PhaseCase{0.99998999, 0.99999999, false},
                      PhaseCase{0.9999899900000001, 0.9999999900000001, true}));

TEST(TriggerWait, NoTriggerStoresNothing) {
    SimulatorState state = ScopeState();
    state.Phase = 0.5;
    state.SweepIndex = 7;
    state.InputCapture[7] = -1;
    state.OutputCapture[7] = -1;
    CaptureSample(state, 5, 6, Controls());
    EXPECT_EQ(state.SweepIndex, 7);
    EXPECT_EQ(state.InputCapture[7], -1);
    EXPECT_EQ(state.OutputCapture[7], -1);
}

TEST(TriggerWait, VeryLowFrequencyFiresOnTheFirstSample) {
    SimulatorState state = ScopeState();
    state.Waveform = SineWave;
    state.SignalFrequency = 9; // first phase step 9 / 48000, below 0.001
    const double input = GenerateSample(state);
    EXPECT_TRUE(CaptureSample(state, input, input, Controls()).triggered);
}

TEST(TriggerWait, OrdinaryFrequencyWaitsForTheNextCycle) {
    SimulatorState state = ScopeState();
    state.Waveform = SineWave;
    state.SignalFrequency = 1000; // 48 samples a cycle
    int samples = 0;
    bool fired = false;
    while (!fired && samples < 100) {
        const double input = GenerateSample(state);
        fired = CaptureSample(state, input, input, Controls()).triggered;
        ++samples;
    }
    // The creep of 0.00001 a sample shortens the first cycle by less than one sample.
    EXPECT_EQ(samples, 48);
}

// ---- Latching at the trigger ----

struct LengthCase {
    const char* rate;
    int timebaseItem;
    std::int32_t factor;
    std::int32_t length;
};

class SweepLatch : public ::testing::TestWithParam<LengthCase> {};

TEST_P(SweepLatch, LengthFromSampleSpacingAndTimebase) {
    const LengthCase& c = GetParam();
    SimulatorState state = ScopeState(c.rate);
    CaptureSample(state, 0, 0, Controls(c.timebaseItem));
    EXPECT_EQ(state.TimebaseFactor, c.factor);
    EXPECT_EQ(state.SweepSpacing, c.factor * state.SampleSpacing);
    EXPECT_EQ(state.SweepLength, c.length);
}

INSTANTIATE_TEST_SUITE_P(
    SampleRates, SweepLatch,
    ::testing::Values(LengthCase{"48000", 1, 1, 192}, LengthCase{"48000", 0, 2, 96},
                      LengthCase{"44100", 1, 1, 221},
                      LengthCase{"44100", 0, 2, 110}, // 110.5, halves go to even
                      LengthCase{"22050", 0, 2, 110}, LengthCase{"11025", 0, 2, 110},
                      LengthCase{"8000", 1, 1, 160}, LengthCase{"8000", 0, 2, 80},
                      LengthCase{"5000", 1, 1, 200}, LengthCase{"1000", 0, 2, 100},
                      LengthCase{"1200", 1, 1, 240}, LengthCase{"1200", 0, 2, 120},
                      LengthCase{"48000", -1, 2, 96}, LengthCase{"48000", 2, 2, 96}));

TEST(SweepLatch, TriggerStartsAtIndexZeroWithTheFiringSample) {
    SimulatorState state = ScopeState("48000", "8"); // DacScale 16
    state.SweepIndex = 55;
    const CaptureOutcome outcome = CaptureSample(state, 3, -4, Controls());
    EXPECT_TRUE(outcome.triggered);
    EXPECT_EQ(state.SweepIndex, 1);
    EXPECT_EQ(state.InputCapture[0], 48);
    EXPECT_EQ(state.OutputCapture[0], -64);
    EXPECT_EQ(state.OutputOffset, 3000);
}

TEST(SweepLatch, DontShowCentresTheOutputForTheWholeSweep) {
    SimulatorState state = ScopeState();
    CaptureSample(state, 0, 0, Controls(1, InputDontShowItem));
    EXPECT_EQ(state.OutputOffset, 4000);
    ScopeControls shown = Controls(1, InputShownItem);
    EXPECT_EQ(CallsUntilComplete(state, shown), 193);
    EXPECT_EQ(state.OutputOffset, 4000);
    // The next sweep takes the new choice.
    CaptureSample(state, 0, 0, shown);
    EXPECT_EQ(state.OutputOffset, 3000);
}

TEST(SweepLatch, TimebaseAndSampleRateChangesWaitForTheNextSweep) {
    SimulatorState state = ScopeState();
    CaptureSample(state, 0, 0, Controls(1));
    SampleChange(state, "1200", "12");
    EXPECT_EQ(CallsUntilComplete(state, Controls(0)), 193);
    EXPECT_EQ(state.TimebaseFactor, 1);
    EXPECT_EQ(state.SweepSpacing, 400.0 / 192);
    CaptureSample(state, 0, 0, Controls(0));
    EXPECT_EQ(state.SweepLength, 120);
    EXPECT_EQ(state.TimebaseFactor, 2);
}

// ---- Capturing a sweep ----

TEST(SweepCapture, FirstSweepAt48000StoresOneHundredNinetyFourSamples) {
    SimulatorState state = ScopeState();
    state.InputCapture[194] = -1;
    state.OutputCapture[194] = -1;
    int calls = 0;
    CaptureOutcome outcome;
    do {
        outcome = CaptureSample(state, calls, -2.0 * calls, Controls());
        ++calls;
        if (calls == 193) {
            EXPECT_TRUE(state.Capturing);
            EXPECT_EQ(state.SweepIndex, 193);
        }
    } while (!outcome.sweepComplete && calls < 1000);
    EXPECT_EQ(calls, 194);
    EXPECT_FALSE(state.Capturing);
    EXPECT_EQ(state.SweepIndex, 194);
    for (int i = 0; i < 194; ++i) {
        EXPECT_EQ(state.InputCapture[static_cast<std::size_t>(i)], i);
        EXPECT_EQ(state.OutputCapture[static_cast<std::size_t>(i)], -2.0 * i);
    }
    EXPECT_EQ(state.InputCapture[194], -1);
    EXPECT_EQ(state.OutputCapture[194], -1);
}

TEST(SweepCapture, PhaseIsLeftAloneWhileCapturing) {
    SimulatorState state = ScopeState();
    CaptureSample(state, 0, 0, Controls());
    for (int i = 0; i < 192; ++i) {
        state.Phase = 0.5;
        const CaptureOutcome outcome = CaptureSample(state, 0, 0, Controls());
        EXPECT_FALSE(outcome.triggered);
        EXPECT_EQ(state.Phase, 0.5);
    }
    state.Phase = 0.999995;
    EXPECT_TRUE(CaptureSample(state, 0, 0, Controls()).sweepComplete);
    EXPECT_EQ(state.Phase, 0.999995);
}

TEST(SweepCapture, WaitsAgainAfterTheSweep) {
    SimulatorState state = ScopeState();
    CaptureSample(state, 0, 0, Controls());
    ASSERT_EQ(CallsUntilComplete(state, Controls()), 193);
    state.Phase = 0.5;
    const CaptureOutcome outcome = CaptureSample(state, 0, 0, Controls());
    EXPECT_FALSE(outcome.triggered);
    EXPECT_EQ(state.Phase, 0.5 + 0.00001);
}

TEST(SweepCapture, DacScaleIsReadForEverySample) {
    SimulatorState state = ScopeState("48000", "10"); // DacScale 4
    CaptureSample(state, 10, 20, Controls());
    BitsChange(state, "8", "48000", 100); // DacScale 16
    CaptureSample(state, 10, 20, Controls());
    EXPECT_EQ(state.InputCapture[0], 40);
    EXPECT_EQ(state.OutputCapture[0], 80);
    EXPECT_EQ(state.InputCapture[1], 160);
    EXPECT_EQ(state.OutputCapture[1], 320);
}

struct NormCase {
    int inputItem;
    int amplitude;
    double input;
    double stored; // before DacScale
};

class InputNormalisation : public ::testing::TestWithParam<NormCase> {};

TEST_P(InputNormalisation, ScalesOnlyNormalisedLowAmplitudes) {
    const NormCase& c = GetParam();
    SimulatorState state = ScopeState("48000", "8"); // DacScale 16
    CaptureSample(state, c.input, c.input, Controls(1, c.inputItem, c.amplitude));
    EXPECT_EQ(state.InputCapture[0], 16 * c.stored);
    EXPECT_EQ(state.OutputCapture[0], 16 * c.input); // the output is never normalised
}

INSTANTIATE_TEST_SUITE_P(
    NormCases, InputNormalisation,
    ::testing::Values(NormCase{InputNormItem, 50, 7, 14}, NormCase{InputNormItem, 100, 7, 7},
                      NormCase{InputNormItem, 150, 7, 7}, NormCase{InputNormItem, 99, 99, 100},
                      NormCase{InputNormItem, 1, -3, -300},
                      NormCase{InputNormItem, 30, 10, 1000.0 / 30},
                      NormCase{InputShownItem, 50, 7, 7}, NormCase{InputDontShowItem, 50, 7, 7}));

TEST(InputNormalisation, ChoiceAndAmplitudeAreReadForEverySample) {
    SimulatorState state = ScopeState(); // DacScale 1
    CaptureSample(state, 10, 0, Controls(1, InputNormItem, 50));
    CaptureSample(state, 10, 0, Controls(1, InputShownItem, 50));
    CaptureSample(state, 10, 0, Controls(1, InputNormItem, 25));
    EXPECT_EQ(state.InputCapture[0], 20);
    EXPECT_EQ(state.InputCapture[1], 10);
    EXPECT_EQ(state.InputCapture[2], 40);
}

TEST(SweepCapture, OverlongSweepIsCutToTheBuffers) {
    SimulatorState state = ScopeState();
    state.SampleSpacing = 0.5; // would ask for 800 samples
    CaptureSample(state, 0, 0, Controls());
    EXPECT_EQ(state.SweepLength, CaptureLength - 2);
    EXPECT_EQ(CallsUntilComplete(state, Controls()), CaptureLength - 1);
    EXPECT_EQ(state.InputCapture[CaptureLength - 1], CaptureLength - 1);
}

} // namespace
} // namespace signova
