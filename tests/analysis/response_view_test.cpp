#include "analysis/response_view.h"
#include "analysis/spectrum_view.h"

#include <gtest/gtest.h>

#include <algorithm>
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
                      TextCase{GainText(Gain(0)), "gain null"},
                      // -200 dB is the last gain given as a number.
                      TextCase{GainText(Gain(1e-10)), "gain 0.0000 (-200.00 dB)"},
                      TextCase{GainText(Gain(0.99e-10)), "gain null"},
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
    // The zero at fs/4, step 2048 of the 4096 up to fs/2.
    EXPECT_EQ(view.frequencies[2048], 12000.0);
    EXPECT_EQ(view.magnitudeDb[2048], -100.0);
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
        GeneratorCase{12000, false, 12000, "Generator 12000 Hz: gain null", ""},
        // fs/2 itself is the top of the axis, not above it.
        GeneratorCase{24000, false, 24000, "Generator 24000 Hz: gain null", ""},
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

namespace signova {
namespace {

// The 48-tap average's nulls at every multiple of 1 kHz fall between the grid's
// steps of 5.86 Hz (1000 Hz is step 170.67): the grid alone stops 54 dB down
// beside it; with the nulls' exact frequencies the curve reaches the floor at
// each, and one already on the grid (every 3 kHz, step 512) is there once.
TEST(ResponseViewOfATable, ReachesTheFloorAtTheExactFrequenciesOfNulls) {
    const TableRead average48 = Table({std::vector<double>(48, 1.0 / 48), {}});
    const ResponseView gridAlone = ViewResponse(average48, Rate, 1000);
    EXPECT_EQ(gridAlone.frequencies[170], 996.09375);
    EXPECT_GT(gridAlone.magnitudeDb[170], -60.0);
    EXPECT_GT(gridAlone.magnitudeDb[171], -60.0);

    std::vector<double> nulls;
    for (int k = 1; k <= 24; ++k)
        nulls.push_back(1000.0 * k);
    const ResponseView view = ViewResponse(average48, Rate, 1000, nulls);
    ASSERT_EQ(view.frequencies.size(), static_cast<std::size_t>(ResponseCurvePoints) + 16);
    for (double null : nulls) {
        const auto at = std::find(view.frequencies.begin(), view.frequencies.end(), null);
        ASSERT_NE(at, view.frequencies.end()) << null;
        EXPECT_EQ(view.magnitudeDb[at - view.frequencies.begin()], view.bottomDb) << null;
    }
    EXPECT_TRUE(std::is_sorted(view.frequencies.begin(), view.frequencies.end()));
    EXPECT_EQ(GeneratorText(view), "Generator 1000 Hz: gain null");
}

// Per column the lowest and the highest point in the order of x; a column of
// one point, or of equal points, keeps one; beyond the ends goes to the ends.
TEST(ResponseCurveOnScreen, KeepsEachColumnsLowestAndHighestPoint) {
    const std::vector<double> x{-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12};
    const std::vector<double> y{7, 5, -100, 3, 2, 2, 9, 4, 1, 6, 8, 0};
    // Columns of 2.5 wide over 0 .. 10.
    const ColumnCurve curve = ReduceToColumns(x, y, 0, 10, 4);
    EXPECT_EQ(curve.x, (std::vector<double>{-1, 1, 3, 5, 7, 9, 12}));
    EXPECT_EQ(curve.y, (std::vector<double>{7, -100, 2, 9, 1, 8, 0}));
    const ColumnCurve flat = ReduceToColumns(std::vector<double>{0, 1, 2},
                                             std::vector<double>{3, 3, 3}, 0, 2, 1);
    EXPECT_EQ(flat.x, std::vector<double>{0});
}

// A column holding an undefined point is that point alone, wherever in the
// column it lies, so the line breaks for the column's width.
TEST(ResponseCurveOnScreen, AColumnWithAnUndefinedPointIsAGap) {
    const double nan = std::nan("");
    const std::vector<double> x{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::vector<double> y{1, 9, 2, nan, 8, 7, nan, 3, 4, 5};
    // Columns of 2.5 wide over 0 .. 10: {0,1,2}, {3,4}, {5,6,7}, {8,9}.
    const ColumnCurve curve = ReduceToColumns(x, y, 0, 10, 4);
    EXPECT_EQ(curve.x, (std::vector<double>{0, 1, 3, 6, 8, 9}));
    ASSERT_EQ(curve.y.size(), 6U);
    EXPECT_EQ(curve.y[0], 1);
    EXPECT_EQ(curve.y[1], 9);
    EXPECT_TRUE(std::isnan(curve.y[2]));
    EXPECT_TRUE(std::isnan(curve.y[3]));
    EXPECT_EQ(curve.y[4], 4);
    EXPECT_EQ(curve.y[5], 5);
}

} // namespace
} // namespace signova
