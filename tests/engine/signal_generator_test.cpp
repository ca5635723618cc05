#include "engine/signal_generator.h"
#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace signova {
namespace {

SimulatorState Generator(int waveform, double frequency, int sampleRate, int amplitude,
                         int maxCode = 2047) {
    SimulatorState state;
    state.Waveform = waveform;
    state.SignalFrequency = frequency;
    state.SampleRate = sampleRate;
    state.Amplitude = amplitude;
    state.MaxCode = maxCode;
    return state;
}

std::vector<double> Samples(SimulatorState& state, int count) {
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(GenerateSample(state));
    return values;
}

TEST(Sine, FirstSampleAfterPhaseResetRoundsToThree) {
    SimulatorState state = Generator(SineWave, 10, 48000, 2047);
    const double v = GenerateSample(state);
    EXPECT_EQ(state.Phase, 10.0 / 48000);
    EXPECT_NEAR(v, 2.6795, 1e-4);
    EXPECT_EQ(RoundHalfEven(v), 3);
}

TEST(Sine, TwoPiIsTakenInDoublePrecision) {
    // The fourth sample of 1000 Hz at 48000 Hz lies at phase 1/12, where
    // 2047 * sin(2 pi / 12) would be 1023.5: it falls just short of the half
    // and rounds down. With pi taken from a float it lands above and rounds up.
    SimulatorState state = Generator(SineWave, 1000, 48000, 2047);
    const std::vector<double> values = Samples(state, 4);
    EXPECT_EQ(values[3], 1023.4999999999999);
    EXPECT_EQ(RoundHalfEven(values[3]), 1023);
}

TEST(Sine, ClipsAtMaxCodeAboveFullScale) {
    SimulatorState state = Generator(SineWave, 1000, 48000, 3070);
    double highest = 0;
    double lowest = 0;
    for (double v : Samples(state, 48)) {
        highest = std::max(highest, v);
        lowest = std::min(lowest, v);
    }
    EXPECT_EQ(highest, 2047);
    EXPECT_EQ(lowest, -2047);
}

// Sets the phase so that the next sample lands exactly on p.
double ValueAtPhase(int waveform, double p) {
    SimulatorState state = Generator(waveform, 0, 48000, 1000);
    state.Phase = p;
    return GenerateSample(state);
}

TEST(Shapes, ValuesAtKeyPhases) {
    EXPECT_EQ(ValueAtPhase(SquareWave, 0.5), -1000);
    EXPECT_EQ(ValueAtPhase(SquareWave, 0.25), 1000);
    EXPECT_EQ(ValueAtPhase(SquareWave, 0.0), 1000);
    EXPECT_EQ(ValueAtPhase(TriangleWave, 0.5), 1000);
    EXPECT_EQ(ValueAtPhase(TriangleWave, 0.0), -1000);
    EXPECT_EQ(ValueAtPhase(TriangleWave, 0.25), 0);
    EXPECT_EQ(ValueAtPhase(TriangleWave, 0.75), 0);
    EXPECT_EQ(ValueAtPhase(TriangleWave, 0.125), -500);
    EXPECT_EQ(ValueAtPhase(SawtoothWave, 0.0), -1000);
    EXPECT_EQ(ValueAtPhase(SawtoothWave, 0.75), 500);
}

TEST(Shapes, EveryWaveformIsLimitedToTheConverterRange) {
    for (int waveform : {TriangleWave, SawtoothWave, SquareWave, PulseWave, NoiseWave}) {
        SimulatorState state = Generator(waveform, 700, 48000, 190, 127);
        for (double v : Samples(state, 500)) {
            ASSERT_LE(v, 127) << waveform;
            ASSERT_GE(v, -127) << waveform;
        }
    }
    SimulatorState square = Generator(SquareWave, 700, 48000, 190, 127);
    EXPECT_EQ(GenerateSample(square), 127);
}

TEST(Phase, StaysBelowOneForWholeCycleSteps) {
    SimulatorState state = Generator(SineWave, 110000, 1000, 2047);
    for (int i = 0; i < 5; ++i) {
        GenerateSample(state);
        EXPECT_EQ(state.Phase, 0.0);
    }
}

TEST(Phase, ContinuesFromWhatItFinds) {
    SimulatorState state = Generator(SawtoothWave, 12000, 48000, 1000);
    state.Phase = 1.000005; // left just past one by the trigger's creep
    GenerateSample(state);
    EXPECT_NEAR(state.Phase, 0.250005, 1e-12);
}

TEST(Pulse, FiresOncePerCycleAndRearmsAboveHalf) {
    SimulatorState state = Generator(PulseWave, 12000, 48000, 1000);
    EXPECT_EQ(Samples(state, 8), (std::vector<double>{1000, 0, 0, 1000, 0, 0, 0, 1000}));
}

TEST(Pulse, AtTheSampleRateFiresOnlyOnce) {
    SimulatorState state = Generator(PulseWave, 48000, 48000, 1000);
    EXPECT_EQ(Samples(state, 4), (std::vector<double>{1000, 0, 0, 0}));
    EXPECT_TRUE(state.PulseFired);
}

TEST(Pulse, ArmedStateCarriesOver) {
    SimulatorState state = Generator(PulseWave, 12000, 48000, 1000);
    state.PulseFired = true;
    EXPECT_EQ(Samples(state, 4), (std::vector<double>{0, 0, 0, 1000}));
}

TEST(Noise, SequenceIsTheSameAfterEveryStart) {
    SimulatorState state = Generator(NoiseWave, 10, 48000, 2047);
    EXPECT_EQ(Samples(state, 4), (std::vector<double>{-2047, -1919, 1478, -1218}));
    SimulatorState small = Generator(NoiseWave, 10, 48000, 127, 127);
    EXPECT_EQ(Samples(small, 4), (std::vector<double>{-127, -120, 91, -76}));
}

TEST(Noise, StaysWithinMinusAToAMinusOne) {
    SimulatorState state = Generator(NoiseWave, 10, 48000, 127, 127);
    double highest = -1000;
    double lowest = 1000;
    for (double v : Samples(state, 20000)) {
        highest = std::max(highest, v);
        lowest = std::min(lowest, v);
    }
    EXPECT_EQ(highest, 126);
    EXPECT_EQ(lowest, -127);
}

TEST(Noise, AboveFullScaleIsReplacedByTheBounds) {
    SimulatorState state = Generator(NoiseWave, 10, 48000, 3070);
    int clipped = 0;
    for (double v : Samples(state, 2000)) {
        ASSERT_LE(std::fabs(v), 2047);
        clipped += std::fabs(v) == 2047;
    }
    EXPECT_GT(clipped, 400);
}

TEST(RandomBelow, AdvancesTheLinearCongruentialState) {
    SimulatorState state;
    EXPECT_EQ(RandomBelow(state, 4094), 0U);
    EXPECT_EQ(state.RandomState, 1U);
    EXPECT_EQ(RandomBelow(state, 4094), 128U);
    EXPECT_EQ(state.RandomState, 134775814U);
}

} // namespace
} // namespace signova
