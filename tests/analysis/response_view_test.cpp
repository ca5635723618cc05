#include "analysis/response_view.h"
#include "analysis/spectrum_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace signova {
namespace {

constexpr double Rate = 48000.0;

TableRead Table(FilterCoefficients coefficients) {
    TableRead table;
    table.coefficients = std::move(coefficients);
    return table;
}

const FilterCoefficients MovingAverage4{{0.25, 0.25, 0.25, 0.25}, {}};

struct TextCase {
    std::string text;
    std::string expected;
};

class ReadoutTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReadoutTexts, AreWrittenExactly) {
    EXPECT_EQ(GetParam().text, GetParam().expected);
}

ResponsePoint Gain(double magnitude, bool infinite = false) {
    ResponsePoint point;
    point.magnitude = infinite ? std::numeric_limits<double>::infinity() : magnitude;
    point.infinite = infinite;
    return point;
}

Spectrum PeakAt(double frequency, double peakDb, std::optional<double> sinad) {
    Spectrum spectrum;
    spectrum.levelsDb.assign(2049, SpectrumFloorDb);
    spectrum.peakFrequency = frequency;
    spectrum.peakDb = peakDb;
    spectrum.sinadDb = sinad;
    return spectrum;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadoutTexts,
    ::testing::Values(TextCase{FrequencyText(1000), "1000 Hz"},
                      TextCase{FrequencyText(0.901 * 10), "9.01 Hz"},
                      TextCase{FrequencyText(1007.8125), "1007.81 Hz"},
                      TextCase{FrequencyText(0), "0 Hz"},
                      TextCase{FrequencyText(110000), "110000 Hz"},
                      TextCase{GainText(Gain(std::sqrt(0.5))), "gain 0.7071 (-3.01 dB)"},
                      TextCase{GainText(Gain(2)), "gain 2.0000 (6.02 dB)"},
                      TextCase{GainText(Gain(0.9999999)), "gain 1.0000 (0.00 dB)"},
                      TextCase{GainText(Gain(0)), "gain 0 (-inf dB)"},
                      TextCase{GainText(Gain(0, true)), "gain infinite"},
                      TextCase{GainText(Gain(1e7)), "gain 140.00 dB"},
                      TextCase{PeakText(PeakAt(1007.8125, -0.5, 73.914)), "1007.81 Hz"},
                      TextCase{SinadText(PeakAt(1007.8125, -0.5, 73.914)), "73.91 dB"},
                      TextCase{SinadText(PeakAt(1007.8125, -0.5, std::nullopt)), "\u2014"},
                      TextCase{PeakLevelText(PeakAt(1000.02, -0.414, 73.914)), "-0.41 dBFS"},
                      TextCase{PeakLevelText(PeakAt(1000.02, -95.5, 1.0)), "-95.50 dBFS"},
                      TextCase{EffectiveBitsText(PeakAt(1000, -0.5, 73.914)), "11.99 bits"},
                      TextCase{EffectiveBitsText(PeakAt(1000, -0.5, std::nullopt)), "\u2014"},
                      TextCase{IdealSinadText(2047), "74.00 dB"},
                      TextCase{IdealSinadText(511), "61.96 dB"},
                      TextCase{IdealSinadText(127), "49.92 dB"},
                      // A silent record has no peak.
                      TextCase{PeakText(PeakAt(0, SpectrumFloorDb, std::nullopt)), "\u2014"},
                      TextCase{PeakText(Spectrum{}), "\u2014"},
                      TextCase{PeakLevelText(PeakAt(0, SpectrumFloorDb, std::nullopt)), "\u2014"}));

TEST(ResponseViewOfATable, SpansZeroToHalfTheRateWithZerosOnTheAxisFloor) {
    const ResponseView view = ViewResponse(Table(MovingAverage4), Rate, 1000);
    ASSERT_EQ(view.frequencies.size(), static_cast<std::size_t>(ResponseCurvePoints));
    EXPECT_EQ(view.frequencies.front(), 0.0);
    EXPECT_EQ(view.frequencies.back(), 24000.0);
    EXPECT_EQ(view.topDb, 0.0);
    EXPECT_EQ(view.bottomDb, -100.0);
    EXPECT_EQ(view.coefficients, 4);
    EXPECT_EQ(view.magnitudeDb.front(), 0.0);
    // The zero at fs/4, step 256 of the 512 up to fs/2.
    EXPECT_EQ(view.frequencies[256], 12000.0);
    EXPECT_EQ(view.magnitudeDb[256], -100.0);
    EXPECT_FALSE(view.unstable);
}

struct GeneratorCase {
    double frequency;
    bool aboveHalfRate;
    double landsAt;
    std::string generatorText;
    std::string landsAtText;
};

class GeneratorTone : public ::testing::TestWithParam<GeneratorCase> {};

TEST_P(GeneratorTone, MeetsTheGainWhereItLands) {
    const GeneratorCase& c = GetParam();
    const ResponseView view = ViewResponse(Table(MovingAverage4), Rate, c.frequency);
    EXPECT_EQ(view.aboveHalfRate, c.aboveHalfRate);
    EXPECT_EQ(view.landsAt, c.landsAt);
    EXPECT_EQ(GeneratorText(view), c.generatorText);
    EXPECT_EQ(LandsAtText(view), c.landsAtText);
}

INSTANTIATE_TEST_SUITE_P(
    Frequencies, GeneratorTone,
    ::testing::Values(
        GeneratorCase{12000, false, 12000, "Generator 12000 Hz: gain 0 (-inf dB)", ""},
        // fs/2 itself is the top of the axis, not above it.
        GeneratorCase{24000, false, 24000, "Generator 24000 Hz: gain 0 (-inf dB)", ""},
        // 30 kHz folds to 18 kHz, where |H| = 1 / (4 sin(3 pi / 8)).
        GeneratorCase{30000, true, 18000, "Generator 30000 Hz: gain 0.2706 (-11.35 dB)",
                      "30000 Hz is above fs/2 = 24000 Hz: the tone lands at 18000 Hz"}),
    [](const ::testing::TestParamInfo<GeneratorCase>& info) {
        return "At" + std::to_string(static_cast<int>(info.param.frequency)) + "Hz";
    });

TEST(ResponseViewOfATable, PutsAnInfiniteGainOnTheTopOfItsLimitedAxis) {
    // y[n] = x[n] + y[n-1]: a pole on the circle at 0 Hz.
    const ResponseView view = ViewResponse(Table({{1.0, 0.0}, {0.0, 1.0}}), Rate, 0);
    EXPECT_TRUE(view.unstable);
    EXPECT_EQ(view.topDb, ResponseTopLimitDb);
    EXPECT_EQ(view.bottomDb, ResponseTopLimitDb - ResponseSpanDb);
    EXPECT_EQ(view.magnitudeDb.front(), ResponseTopLimitDb);
    EXPECT_TRUE(std::isnan(view.phaseDegrees.front()));
    EXPECT_EQ(GeneratorText(view), "Generator 0 Hz: gain infinite");
}

TEST(ResponseViewOfATable, KeepsTheAxisTopAtARippleJustAboveIt) {
    // 1.05 is 0.42 dB, 1.06 is 0.51 dB.
    EXPECT_EQ(ViewResponse(Table({{1.05}, {}}), Rate, 0).topDb, 0.0);
    EXPECT_EQ(ViewResponse(Table({{1.06}, {}}), Rate, 0).topDb, 10.0);
    EXPECT_EQ(ViewResponse(Table({{1.06}, {}}), Rate, 0).magnitudeDb.front(),
              20 * std::log10(1.06));
}

TEST(ResponseViewOfATable, RaisesTheAxisTopToTheNextTenDb) {
    // b0 = 1, a1 = 0.5: gain 2 (6.02 dB) at 0 Hz, 2/3 at fs/2, phase 0 at both.
    const ResponseView view = ViewResponse(Table({{1.0, 0.0}, {0.0, 0.5}}), Rate, 0);
    EXPECT_FALSE(view.unstable);
    EXPECT_EQ(view.topDb, 10.0);
    EXPECT_NEAR(view.magnitudeDb.front(), 6.0206, 1e-4);
    EXPECT_EQ(view.phaseDegrees.front(), 0.0);
    EXPECT_NEAR(view.magnitudeDb.back(), 20 * std::log10(2.0 / 3.0), 1e-9);
}

TEST(ResponseViewOfATable, HoldsOnlyTheErrorsOfABadTable) {
    TableRead bad;
    bad.errors = {"Error in data for IIR Filter. Row 1", "Error in data for IIR Filter. Row 3"};
    const ResponseView view = ViewResponse(bad, Rate, 1000);
    EXPECT_EQ(view.errors, bad.errors);
    EXPECT_TRUE(view.frequencies.empty());
    EXPECT_TRUE(view.magnitudeDb.empty());
}

} // namespace
} // namespace signova
