#include "analysis/frequency_response.h"
#include "analysis/sample_record.h"
#include "analysis/spectrum_analyzer.h"
#include "engine/fir_filter.h"
#include "engine/sample_pipeline.h"
#include "engine/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

namespace signova {
namespace {

constexpr int Kilo = 2; // the range buttons X 1k and X 10k
constexpr int TenKilo = 3;
const std::vector<std::string> Through{"1"};
const std::vector<std::string> Average4{"0.25", "0.25", "0.25", "0.25"};

struct Spectra {
    Spectrum input;
    Spectrum output;
};

// A full-scale sine at 48000 Hz set up by the settings handlers, through the
// FIR filter for two records' time; the spectra of the second record.
Spectra RunChain(int rangeButton, int dial, int bits, const std::vector<std::string>& taps) {
    const std::string bitsText = std::to_string(bits);
    SimulatorState state;
    std::array<bool, 4> down{};
    down[static_cast<std::size_t>(rangeButton)] = true;
    SpeedButtonClick(state, down, dial);
    DialChange(state, dial);
    VormChange(state, "Sine");
    SampleChange(state, "48000", bitsText);
    BitsChange(state, bitsText, "48000", 100);
    CellStore grid(2, 200, 1, 0);
    for (std::size_t r = 0; r < taps.size(); ++r)
        grid.SetCell(FirValueColumn, static_cast<int>(r), taps[r]);
    ReadFIRCoefficients(state, grid);
    SampleRecord record;
    for (int n = 0; n < 2 * RecordLength; ++n) {
        ComputeSample(state, FilterKind::Fir);
        record.Store(state.InputSample, state.OutputSample);
    }
    const RecordedSamples samples = record.OldestFirst();
    SpectrumAnalyzer analyzer(RecordLength);
    return {analyzer.Analyze(samples.input, state.MaxCode, state.SampleRate),
            analyzer.Analyze(samples.output, state.MaxCode, state.SampleRate)};
}

constexpr double BinWidth = 48000.0 / 4096;

// 1000 Hz lies a third of the way from bin 85 to bin 86: the read-out finds
// it between them, at full scale, the scalloping loss taken back.
TEST(SpectrumPeak, OneKilohertzBetweenBinsAtFullScale) {
    const Spectrum input = RunChain(Kilo, 1000, 12, Through).input;
    EXPECT_EQ(input.peakBin, 85);
    EXPECT_NEAR(input.peakFrequency, 1000.0, 0.1 * BinWidth);
    EXPECT_NEAR(input.peakDb, 0.0, 0.1);
}

TEST(SpectrumPeak, ThirtyKilohertzLandsAtEighteen) {
    const Spectrum input = RunChain(TenKilo, 3000, 12, Through).input;
    EXPECT_EQ(input.peakFrequency, 18000.0);
    EXPECT_EQ(FoldedFrequency(30000, 48000), 18000.0);
    EXPECT_NEAR(input.peakDb, 0.0, 0.01); // full scale, on a bin
}

class Sinad : public ::testing::TestWithParam<int> {};

// 1010 Hz makes no whole number of samples per period, so the rounding error
// spreads like noise: 6.02 dB per bit plus 1.76 dB.
TEST_P(Sinad, OfAFullScaleSineIsTheQuantisationLimit) {
    const Spectrum input = RunChain(Kilo, 1010, GetParam(), Through).input;
    ASSERT_TRUE(input.sinadDb.has_value());
    EXPECT_NEAR(*input.sinadDb, 6.02 * GetParam() + 1.76, 1.5);
}

INSTANTIATE_TEST_SUITE_P(Bits, Sinad, ::testing::Values(8, 10, 12));

TEST(Sinad, NoneForAPeakBelowBinTwelve) {
    EXPECT_FALSE(RunChain(TenKilo, 4799, 12, Through).input.sinadDb); // lands at 10 Hz
}

constexpr std::int32_t FullScale = 2047;
constexpr int HalfBins = RecordLength / 2;

// `record` at 48000 Hz and 12 bits.
Spectrum Analyze(const std::vector<double>& record) {
    SpectrumAnalyzer analyzer(RecordLength);
    return analyzer.Analyze(record, FullScale, 48000);
}

class PeakBetweenBins : public ::testing::TestWithParam<double> {};

// A sine of 1000 codes at bin 300 plus a fraction: found within a tenth of a
// bin, at its level within a tenth of a dB (on the bins alone it could read
// half a bin and 0.83 dB off).
TEST_P(PeakBetweenBins, FoundWithinATenthOfABinAtItsLevel) {
    const double bin = 300.0 + GetParam();
    std::vector<double> record(RecordLength);
    for (std::size_t n = 0; n < record.size(); ++n)
        record[n] =
            1000.0 * std::sin(2 * std::numbers::pi * bin * static_cast<double>(n) / RecordLength);
    const Spectrum spectrum = Analyze(record);
    EXPECT_NEAR(spectrum.peakFrequency / BinWidth, bin, 0.1);
    EXPECT_NEAR(spectrum.peakDb, 20 * std::log10(1000.0 / FullScale), 0.1);
}

INSTANTIATE_TEST_SUITE_P(Fractions, PeakBetweenBins,
                         ::testing::Values(0.0, 0.1, 0.25, 0.4, 0.5, 0.6, 0.75, 0.9));

struct EdgeBinCase {
    const char* name;
    double value;     // c
    bool alternating; // c, -c, c, ... instead of c throughout
    int bin;
};

class EdgeBins : public ::testing::TestWithParam<EdgeBinCase> {};

// Bins 0 and length / 2 have no mirror image above half the sample rate: a
// constant's level is not doubled there.
TEST_P(EdgeBins, ReadTheLevelOfAConstant) {
    const EdgeBinCase& c = GetParam();
    std::vector<double> record(RecordLength);
    for (std::size_t n = 0; n < record.size(); ++n)
        record[n] = c.alternating && n % 2 == 1 ? -c.value : c.value;
    const Spectrum spectrum = Analyze(record);
    EXPECT_NEAR(spectrum.levelsDb[static_cast<std::size_t>(c.bin)],
                20 * std::log10(std::abs(c.value) / FullScale), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Constants, EdgeBins,
    ::testing::Values(EdgeBinCase{"MinusThousandAtZeroHertz", -1000, false, 0},
                      EdgeBinCase{"AlternatingThousandAtHalfTheRate", 1000, true, HalfBins}),
    [](const ::testing::TestParamInfo<EdgeBinCase>& info) { return std::string(info.param.name); });

struct SinadRangeCase {
    int peakBin;
    bool given;
};

class SinadRange : public ::testing::TestWithParam<SinadRangeCase> {};

// A sine of 2000 codes on one bin, rounded to codes: the same distance from
// 0 Hz and from half the sample rate decides whether a SINAD is given.
TEST_P(SinadRange, EndsTwelveBinsFromZeroAndFromHalfTheRate) {
    const SinadRangeCase& c = GetParam();
    std::vector<double> record(RecordLength);
    for (std::size_t n = 0; n < record.size(); ++n)
        record[n] = std::nearbyint(2000 * std::sin(2 * std::numbers::pi * c.peakBin *
                                                   static_cast<double>(n) / RecordLength));
    const Spectrum spectrum = Analyze(record);
    ASSERT_EQ(spectrum.peakBin, c.peakBin);
    EXPECT_EQ(spectrum.sinadDb.has_value(), c.given);
}

INSTANTIATE_TEST_SUITE_P(Bins, SinadRange,
                         ::testing::Values(SinadRangeCase{11, false}, SinadRangeCase{12, true},
                                           SinadRangeCase{HalfBins - 12, true},
                                           SinadRangeCase{HalfBins - 11, false}),
                         [](const ::testing::TestParamInfo<SinadRangeCase>& info) {
                             return "PeakBin" + std::to_string(info.param.peakBin);
                         });

TEST(FilteredSpectrum, MovingAverageTakesAQuarterRateToneDownBySixtyDecibels) {
    const Spectra spectra = RunChain(TenKilo, 1200, 12, Average4);
    EXPECT_EQ(spectra.input.peakFrequency, 12000.0);
    EXPECT_LE(spectra.output.peakDb, spectra.input.peakDb - 60.0);
}

} // namespace
} // namespace signova
