#include "analysis/frequency_response.h"
#include "analysis/sample_record.h"
#include "analysis/spectrum.h"
#include "engine/fir_filter.h"
#include "engine/sample_pipeline.h"
#include "engine/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace signova {
namespace {

// The range buttons X 1k and X 10k.
constexpr int Kilo = 2;
constexpr int TenKilo = 3;

struct Setting {
    int rangeButton;
    int dial;
    const char* bits;
    std::vector<std::string> firTaps;
};

CellStore FirTable(const std::vector<std::string>& taps) {
    CellStore grid(2, 200, 1, 0);
    for (std::size_t r = 0; r < taps.size(); ++r)
        grid.SetCell(FirValueColumn, static_cast<int>(r), taps[r]);
    return grid;
}

// A full-scale sine at 48000 Hz through the FIR filter, set up by the
// settings handlers, run for two records; the record of the second.
RecordedSamples Run(const Setting& setting, std::int32_t& maxCode) {
    SimulatorState state;
    state.MaxCode = 2047;
    std::array<bool, 4> down{};
    down[static_cast<std::size_t>(setting.rangeButton)] = true;
    SpeedButtonClick(state, down, setting.dial);
    DialChange(state, setting.dial);
    VormChange(state, "Sine");
    SampleChange(state, "48000", setting.bits);
    BitsChange(state, setting.bits, "48000", 100);
    ReadFIRCoefficients(state, FirTable(setting.firTaps));
    SampleRecord record;
    for (int n = 0; n < 2 * RecordLength; ++n) {
        ComputeSample(state, FilterKind::Fir);
        record.Store(state.InputSample, state.OutputSample);
    }
    maxCode = state.MaxCode;
    return record.OldestFirst();
}

struct InputAnalysis {
    Spectrum input;
    Spectrum output;
};

InputAnalysis Analyze(const Setting& setting) {
    std::int32_t maxCode = 0;
    const RecordedSamples samples = Run(setting, maxCode);
    SpectrumAnalyzer analyzer(RecordLength);
    InputAnalysis result;
    result.input = analyzer.Analyze(samples.input, maxCode, 48000);
    result.output = analyzer.Analyze(samples.output, maxCode, 48000);
    return result;
}

struct PeakCase {
    const char* name;
    Setting setting;
    double peakFrequency;
    double toleranceInBins;
    double peakDbAtLeast; // a full-scale sine reads about 0 dB
};

class SpectrumPeaks : public ::testing::TestWithParam<PeakCase> {};

TEST_P(SpectrumPeaks, LieWhereTheSampledToneLands) {
    const PeakCase& c = GetParam();
    const Spectrum input = Analyze(c.setting).input;
    EXPECT_DOUBLE_EQ(input.binWidth, 48000.0 / 4096);
    EXPECT_NEAR(input.peakFrequency, c.peakFrequency, c.toleranceInBins * input.binWidth);
    EXPECT_GE(input.peakDb, c.peakDbAtLeast);
    EXPECT_LE(input.peakDb, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Tones, SpectrumPeaks,
    ::testing::Values(PeakCase{"OneKilohertz", {Kilo, 1000, "12", {"1"}}, 1000, 1, -0.9},
                      // Above half the rate: folded to 48 - 30 kHz, on a bin.
                      PeakCase{"ThirtyKilohertz", {TenKilo, 3000, "12", {"1"}}, 18000, 0, -0.01}),
    [](const ::testing::TestParamInfo<PeakCase>& info) { return info.param.name; });

TEST(FoldedFrequency, ThirtyKilohertzAtFortyEightLandsAtEighteen) {
    EXPECT_EQ(FoldedFrequency(30000, 48000), 18000);
}

class Sinad : public ::testing::TestWithParam<int> {};

// 1010 Hz makes no whole number of samples per period, so the rounding error
// spreads like noise: 6.02 dB per bit plus 1.76 dB.
TEST_P(Sinad, OfAFullScaleSineIsTheQuantisationLimit) {
    const int bits = GetParam();
    const std::string bitsText = std::to_string(bits);
    const Spectrum input = Analyze({Kilo, 1010, bitsText.c_str(), {"1"}}).input;
    ASSERT_TRUE(input.sinadDb.has_value());
    EXPECT_NEAR(*input.sinadDb, 6.02 * bits + 1.76, 1.5);
}

INSTANTIATE_TEST_SUITE_P(Bits, Sinad, ::testing::Values(8, 10, 12));

TEST(Sinad, NoneForAPeakOutsideTheMeasurableBins) {
    // 48000 - 47990 = 10 Hz: bin 0.85, far below bin 12.
    const Spectrum input = Analyze({TenKilo, 4799, "12", {"1"}}).input;
    EXPECT_LT(input.peakBin, 12);
    EXPECT_FALSE(input.sinadDb.has_value());
}

TEST(FilteredSpectrum, MovingAverageRemovesAQuarterRateTone) {
    const InputAnalysis a = Analyze({TenKilo, 1200, "12", {"0.25", "0.25", "0.25", "0.25"}});
    EXPECT_NEAR(a.input.peakFrequency, 12000, a.input.binWidth);
    EXPECT_LE(a.output.peakDb, a.input.peakDb - 60.0);
}

} // namespace
} // namespace signova
