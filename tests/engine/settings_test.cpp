#include "engine/settings.h"

#include "toolkit/extended_arithmetic.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace signova {
namespace {

// The state as start-up leaves it before the window's handlers run.
SimulatorState StartState() {
    SimulatorState state;
    state.Amplitude = 2047;
    state.MaxCode = 2047;
    state.FrequencyMultiplier = 10;
    return state;
}

TEST(FrequencySettings, StartUpReadsTenHertzAndDialFactorOne) {
    SimulatorState state = StartState();
    const FrequencyReadout range = SpeedButtonClick(state, {true, false, false, false}, 1000);
    EXPECT_EQ(state.FrequencyMultiplier, 10.0);
    EXPECT_EQ(range.frequency, "10");
    const DialReadout dial = DialChange(state, 1000);
    EXPECT_EQ(dial.factor, "1.000");
    EXPECT_EQ(dial.frequency.frequency, "10");
    EXPECT_EQ(dial.frequency.unit, "Hz");
    EXPECT_EQ(state.SignalFrequency, 10.0);
}

struct FrequencyCase {
    int button;
    int dial;
    double frequency;
    const char* factor;
    const char* readout;
    const char* unit;
};

class FrequencyReadouts : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(FrequencyReadouts, FollowDialAndRange) {
    const FrequencyCase& c = GetParam();
    SimulatorState state = StartState();
    std::array<bool, 4> down{};
    down[static_cast<std::size_t>(c.button)] = true;
    SpeedButtonClick(state, down, 1000);
    const DialReadout dial = DialChange(state, c.dial);
    EXPECT_EQ(state.SignalFrequency, c.frequency);
    EXPECT_EQ(dial.factor, c.factor);
    EXPECT_EQ(dial.frequency.frequency, c.readout);
    EXPECT_EQ(dial.frequency.unit, c.unit);
}

INSTANTIATE_TEST_SUITE_P(DialAndRange, FrequencyReadouts,
                         ::testing::Values(FrequencyCase{0, 1250, 12.5, "1.250", "13", "Hz"},
                                           FrequencyCase{1, 9999, 999.9, "9.999", "1000", "Hz"},
                                           FrequencyCase{1, 10000, 1000.0, "10.000", "1.00", "kHz"},
                                           FrequencyCase{3, 11000, 110000.0, "11.000", "110.00",
                                                         "kHz"},
                                           FrequencyCase{0, 10500, 105.0, "10.500", "105", "Hz"},
                                           FrequencyCase{0, 900, 9.0, "0.900", "9", "Hz"},
                                           FrequencyCase{2, 900, 900.0, "0.900", "900", "Hz"},
                                           FrequencyCase{3, 900, 9000.0, "0.900", "9.00", "kHz"},
                                           FrequencyCase{1, 5000, 500.0, "5.000", "500", "Hz"}));

TEST(FrequencySettings, LastDownButtonWinsAndNoneKeepsTheFactor) {
    SimulatorState state = StartState();
    SpeedButtonClick(state, {false, true, false, true}, 1000);
    EXPECT_EQ(state.FrequencyMultiplier, 10000.0);
    const FrequencyReadout readout = SpeedButtonClick(state, {false, false, false, false}, 1000);
    EXPECT_EQ(state.FrequencyMultiplier, 10000.0);
    EXPECT_EQ(readout.frequency, "10.00");
    EXPECT_EQ(readout.unit, "kHz");
}

TEST(WaveformSetting, ExactCaseSensitiveMatchOnly) {
    SimulatorState state = StartState();
    const char* names[] = {"Sine", "Triangle", "Sawtooth", "Square", "Pulse", "Noise"};
    for (int i = 0; i < 6; ++i) {
        VormChange(state, names[i]);
        EXPECT_EQ(state.Waveform, i + 1) << names[i];
    }
    VormChange(state, "sine");
    VormChange(state, "Sin");
    VormChange(state, "Sine ");
    EXPECT_EQ(state.Waveform, 6);
}

TEST(AmplitudeSetting, TruncatesThePercentOfMaxCode) {
    SimulatorState state = StartState();
    EXPECT_EQ(AmpsbChange(state, 150), "150");
    EXPECT_EQ(state.Amplitude, 3070);
    EXPECT_EQ(AmpsbChange(state, 1), "1");
    EXPECT_EQ(state.Amplitude, 20);
    state.MaxCode = 127;
    EXPECT_EQ(AmpsbChange(state, 150), "150");
    EXPECT_EQ(state.Amplitude, 190);
}

TEST(BitsSetting, SetsRangeScaleAmplitudeAndCaption) {
    SimulatorState state = StartState();
    EXPECT_EQ(BitsChange(state, "8", "48000", 100), "Settings  Samplerate: 48000, 8 Bits");
    EXPECT_EQ(state.MaxCode, 127);
    EXPECT_EQ(state.Amplitude, 127);
    EXPECT_EQ(state.DacScale, 16);
    BitsChange(state, "10", "48000", 150);
    EXPECT_EQ(state.MaxCode, 511);
    EXPECT_EQ(state.Amplitude, 766);
    EXPECT_EQ(state.DacScale, 4);
    BitsChange(state, "12", "48000", 100);
    EXPECT_EQ(state.MaxCode, 2047);
    EXPECT_EQ(state.DacScale, 1);
}

TEST(BitsSetting, UnknownTextOnlyChangesTheCaption) {
    SimulatorState state = StartState();
    BitsChange(state, "12", "48000", 100);
    EXPECT_EQ(BitsChange(state, "9", "48000", 100), "Settings  Samplerate: 48000, 9 Bits");
    EXPECT_EQ(state.MaxCode, 2047);
    EXPECT_EQ(state.Amplitude, 2047);
    EXPECT_EQ(state.DacScale, 1);
}

struct RateCase {
    const char* text;
    int rate;
    double spacing;
    const char* item0;
    const char* item1;
};

class SampleRates : public ::testing::TestWithParam<RateCase> {};

TEST_P(SampleRates, SetRateSpacingAndTimebaseCaptions) {
    const RateCase& c = GetParam();
    SimulatorState state = StartState();
    const SampleRateChange change = SampleChange(state, c.text, "12");
    EXPECT_EQ(state.SampleRate, c.rate);
    EXPECT_EQ(state.SampleSpacing, c.spacing);
    ASSERT_TRUE(change.timebaseItems.has_value());
    EXPECT_EQ((*change.timebaseItems)[0], c.item0);
    EXPECT_EQ((*change.timebaseItems)[1], c.item1);
    EXPECT_EQ(change.settingsCaption, std::string("Settings  Samplerate: ") + c.text + ", 12 Bits");
}

INSTANTIATE_TEST_SUITE_P(
    Table, SampleRates,
    ::testing::Values(RateCase{"48000", 48000, 2.0833333333333335, "0.2 ms/div", "0.4 ms/div"},
                      RateCase{"44100", 44100, 1.8099547511312217, "0.25 ms/div", "0.5  ms/div"},
                      RateCase{"22050", 22050, 1.8099547511312217, "0.5 ms/div", "  1 ms/div"},
                      RateCase{"11025", 11025, 1.8099547511312217, "1 ms/div", "2 ms/div"},
                      RateCase{"8000", 8000, 2.5, "1 ms/div", "2 ms/div"},
                      RateCase{"5000", 5000, 2.0, "2 ms/div", "4 ms/div"},
                      RateCase{"1200", 1200, 1.6666666666666667, "10 ms/div", "20 ms/div"},
                      RateCase{"1000", 1000, 2.0, "10 ms/div", "20 ms/div"}));

TEST(SampleRateSetting, PartialTextResetsSpacingButKeepsRate) {
    SimulatorState state = StartState();
    SampleChange(state, "8000", "12");
    const SampleRateChange partial = SampleChange(state, "4410", "12");
    EXPECT_EQ(state.SampleRate, 8000);
    EXPECT_EQ(state.SampleSpacing, 2.0833333333333335);
    EXPECT_FALSE(partial.timebaseItems.has_value());
    EXPECT_EQ(partial.settingsCaption, "Settings  Samplerate: 4410, 12 Bits");
    SampleChange(state, "44100", "12");
    EXPECT_EQ(state.SampleRate, 44100);
    EXPECT_EQ(state.SampleSpacing, 1.8099547511312217);
}

TEST(GainSetting, PowersOfOnePointZeroFour) {
    SimulatorState state = StartState();
    EXPECT_EQ(GainsbChange(state, 100), "1.00");
    EXPECT_EQ(state.DisplayGain, 1.0);
    EXPECT_EQ(GainsbChange(state, 99), "1.04");
    EXPECT_EQ(state.DisplayGain, 1.04);
    EXPECT_EQ(GainsbChange(state, 101), "0.96");
    EXPECT_NEAR(state.DisplayGain, 0.96153846153846153, 1e-15);
    EXPECT_EQ(GainsbChange(state, 0), "50.50");
    EXPECT_NEAR(state.DisplayGain, 50.50494818426959, 1e-12);
    EXPECT_EQ(GainsbChange(state, 200), "0.02");
    EXPECT_NEAR(state.DisplayGain, 0.019800040113920, 1e-15);
    // The scroll bar never goes further; a position beyond it keeps the end's gain.
    EXPECT_EQ(DisplayGainFor(-1), DisplayGainFor(0));
    EXPECT_EQ(DisplayGainFor(201), DisplayGainFor(200));
}

#if defined(SIGNOVA_HAS_X87_EXTENDED)
// The written-out gains are what the squaring gives with the x87's 64-bit
// significand, at every position.
TEST(GainSetting, TableEqualsTheExtendedSquaring) {
    for (int position = 0; position < DisplayGainPositions; ++position) {
        const int exponent = 100 - position;
        unsigned remaining = static_cast<unsigned>(std::abs(exponent));
        long double base = 1.04L;
        long double power = 1.0L;
        while (remaining != 0) {
            if (remaining & 1U)
                power *= base;
            base *= base;
            remaining >>= 1U;
        }
        EXPECT_EQ(DisplayGainFor(position), static_cast<double>(exponent < 0 ? 1.0L / power : power))
            << "position " << position;
    }
}
#endif

} // namespace
} // namespace signova
