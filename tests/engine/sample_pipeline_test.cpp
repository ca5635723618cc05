#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/sample_pipeline.h"
#include "toolkit/errors.h"
#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace signova {
namespace {

// --- The DAC wrap ----------------------------------------------------------

struct WrapCase {
    double value;
    std::int32_t maxCode;
    double expected;
    bool wrapped;
};

class DacWrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(DacWrap, WrapsByTwiceMaxCode) {
    const WrapCase c = GetParam();
    bool wrapped = !c.wrapped;
    EXPECT_EQ(WrapToConverterRange(c.value, c.maxCode, wrapped), c.expected);
    EXPECT_EQ(wrapped, c.wrapped);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DacWrap,
    ::testing::Values(WrapCase{2047, 2047, 2047, false}, WrapCase{-2047, 2047, -2047, false},
                      WrapCase{0, 2047, 0, false}, WrapCase{2048, 2047, -2046, true},
                      WrapCase{4095, 2047, 1, true}, WrapCase{5000, 2047, 906, true},
                      WrapCase{10000, 2047, 1812, true}, WrapCase{-2048, 2047, 2046, true},
                      WrapCase{-10000, 2047, -1812, true}, WrapCase{6141, 2047, 2047, true},
                      WrapCase{-6141, 2047, -2047, true}, WrapCase{128, 127, -126, true},
                      WrapCase{381, 127, 127, true}, WrapCase{382, 127, -126, true},
                      WrapCase{-382, 127, 126, true}, WrapCase{1e18, 2047, 1182, true},
                      WrapCase{-1e18, 2047, -1182, true}, WrapCase{1e18, 127, 8, true},
                      WrapCase{9223372036854775808.0, 2047, 256, true},
                      WrapCase{-9223372036854775808.0, 2047, -256, true},
                      WrapCase{-9223372036854775808.0, 127, 126, true}));

// --- One sample through the chain ------------------------------------------

CellStore FirTable(const std::vector<std::string>& values) {
    CellStore grid(2, 200, 1, 0);
    for (std::size_t r = 0; r < values.size(); ++r)
        grid.SetCell(1, static_cast<int>(r), values[r]);
    return grid;
}

SimulatorState Chain(int waveform, int amplitude, const std::vector<std::string>& taps) {
    SimulatorState state;
    state.Waveform = waveform;
    state.Amplitude = amplitude;
    state.MaxCode = 2047;
    state.SampleRate = 48000;
    state.SignalFrequency = 1000;
    ReadFIRCoefficients(state, FirTable(taps));
    return state;
}

struct AdcCase {
    int amplitude;
    double phase; // the sawtooth's phase at the sample
    double code;
};

class AdcRounding : public ::testing::TestWithParam<AdcCase> {};

// A sawtooth with frequency 0 sits at a*(2p - 1).
TEST_P(AdcRounding, RoundsHalvesToEven) {
    const AdcCase c = GetParam();
    SimulatorState state = Chain(SawtoothWave, c.amplitude, {"1"});
    state.SignalFrequency = 0;
    state.Phase = c.phase;
    EXPECT_FALSE(ComputeSample(state, FilterKind::Fir));
    EXPECT_EQ(state.InputSample, c.code);
    EXPECT_EQ(state.OutputSample, c.code);
}

INSTANTIATE_TEST_SUITE_P(Values, AdcRounding,
                         ::testing::Values(AdcCase{5, 0.75, 2}, AdcCase{7, 0.75, 4},
                                           AdcCase{1, 0.25, 0}, AdcCase{5, 0.25, -2}));

TEST(SampleChain, FullScaleSineThroughOneAndAHalfWrapsItsPeaks) {
    SimulatorState state = Chain(SineWave, 2047, {"1.5"});
    bool peakSeen = false;
    for (int n = 0; n < 48; ++n) {
        const bool wrapped = ComputeSample(state, FilterKind::Fir);
        const std::int64_t filtered = RoundHalfEven(1.5 * state.InputSample);
        EXPECT_EQ(wrapped, filtered > 2047 || filtered < -2047) << n;
        EXPECT_LE(state.OutputSample, 2047);
        EXPECT_GE(state.OutputSample, -2047);
        if (state.InputSample == 2047) {
            peakSeen = true;
            EXPECT_EQ(state.OutputSample, -1024); // 3070.5 rounds to 3070
            EXPECT_TRUE(wrapped);
        }
    }
    EXPECT_TRUE(peakSeen);
}

TEST(SampleChain, EightBitsFromTheNextSampleWrapByTwoHundredFiftyFour) {
    SimulatorState state = Chain(SquareWave, 2047, {"1.5"});
    ComputeSample(state, FilterKind::Fir);
    EXPECT_EQ(state.OutputSample, -1024);
    state.MaxCode = 127;
    EXPECT_TRUE(ComputeSample(state, FilterKind::Fir));
    EXPECT_EQ(state.InputSample, 127);
    EXPECT_EQ(state.OutputSample, 190 - 254);
}

TEST(SampleChain, IirKindRunsTheIirFilter) {
    SimulatorState state = Chain(SquareWave, 1000, {"1.5"});
    state.IirOrder = 1;
    state.IirBCoefficients[0] = 0.25;
    EXPECT_FALSE(ComputeSample(state, FilterKind::Iir));
    EXPECT_EQ(state.InputSample, 1000);
    EXPECT_EQ(state.OutputSample, 250);
}

TEST(SampleChain, OutputBeyondSixtyFourBitsIsAnInvalidOperation) {
    SimulatorState state = Chain(SquareWave, 2047, {"1e300"});
    state.OutputSample = 5;
    try {
        ComputeSample(state, FilterKind::Fir);
        FAIL() << "no error";
    } catch (const InvalidOperationError& error) {
        EXPECT_STREQ(error.what(), "Invalid floating point operation");
    }
    EXPECT_EQ(state.InputSample, 2047);
    EXPECT_EQ(state.OutputSample, 5);
}

// An unstable filter keeps every output inside the converter range until
// its value no longer fits the rounding.
TEST(SampleChain, UnstableIirEndsWithAnInvalidOperation) {
    SimulatorState state = Chain(SquareWave, 2047, {"1"});
    state.IirOrder = 2;
    state.IirBCoefficients[0] = 1;
    state.IirACoefficients[1] = 1.5;
    int samples = 0;
    try {
        for (; samples < 1000; ++samples) {
            ComputeSample(state, FilterKind::Iir);
            ASSERT_LE(state.OutputSample, 2047);
            ASSERT_GE(state.OutputSample, -2047);
        }
    } catch (const InvalidOperationError&) {
    }
    EXPECT_GT(samples, 50);
    EXPECT_LT(samples, 1000);
}

} // namespace
} // namespace signova
