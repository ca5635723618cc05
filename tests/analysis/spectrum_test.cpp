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

TEST(SpectrumPeak, OneKilohertzWithinOneBinAtAboutFullScale) {
    const Spectrum input = RunChain(Kilo, 1000, 12, Through).input;
    EXPECT_NEAR(input.peakFrequency, 1000.0, BinWidth);
    EXPECT_NEAR(input.peakDb, -0.4, 0.45); // between two bins: up to 0.83 dB scalloping loss
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

TEST(FilteredSpectrum, MovingAverageTakesAQuarterRateToneDownBySixtyDecibels) {
    const Spectra spectra = RunChain(TenKilo, 1200, 12, Average4);
    EXPECT_EQ(spectra.input.peakFrequency, 12000.0);
    EXPECT_LE(spectra.output.peakDb, spectra.input.peakDb - 60.0);
}

} // namespace
} // namespace signova
