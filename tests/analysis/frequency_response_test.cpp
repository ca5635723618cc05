#include "analysis/frequency_response.h"
#include "analysis/stability.h"
#include "analysis/table_read.h"
#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"

#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace signova {
namespace {

constexpr double SampleRate = 48000.0;

// An example file loaded through its table, as the Load button does, and the
// table read back.
FilterCoefficients Example(const std::string& file) {
    LineBuffer lines;
    EXPECT_EQ(lines.ReadFile(std::string(SIGNOVA_EXAMPLES_DIR) + "/" + file), FileReadResult::Read);
    testing::ScriptedDialogs dialogs;
    SimulatorState state;
    const bool fir = file.starts_with("fir_");
    CellStore grid = fir ? NewFirGrid() : NewIirGrid();
    if (fir)
        SetDefaultFirTable(grid, state);
    else
        SetDefaultIirTable(grid, state);
    const TableLoad load =
        fir ? LoadFIRTable(state, grid, lines, dialogs) : LoadIIRTable(state, grid, lines, dialogs);
    EXPECT_TRUE(load.accepted) << file;
    const TableRead read = fir ? ReadFirTable(grid) : ReadIirTable(grid, state.IirOrder);
    EXPECT_TRUE(read.Ok()) << file;
    return read.coefficients;
}

struct GainCase {
    const char* name;
    const char* file; // an example, or nothing for `filter`
    FilterCoefficients filter;
    double frequency;
    double gain;
};

class Gains : public ::testing::TestWithParam<GainCase> {};

// Within 1 % of the stated gain, or of 1 where the stated gain is below it.
TEST_P(Gains, MatchTheStatedGain) {
    const GainCase& c = GetParam();
    const FilterCoefficients filter = c.file != nullptr ? Example(c.file) : c.filter;
    const ResponsePoint point = ResponseAt(filter, c.frequency, SampleRate);
    EXPECT_FALSE(point.infinite);
    EXPECT_NEAR(point.magnitude, c.gain, 0.01 * std::max(c.gain, 1.0));
}

const FilterCoefficients MovingAverage4{{0.25, 0.25, 0.25, 0.25}, {}};
// y[n] = x[n] + 0.5 y[n-1]: the feedback is added, so the DC gain is 1 / (1 - 0.5).
const FilterCoefficients HalfFeedback{{1, 0}, {0, 0.5}};

INSTANTIATE_TEST_SUITE_P(
    StatedGains, Gains,
    ::testing::Values(
        GainCase{"AddedFeedbackDc", nullptr, HalfFeedback, 0, 2},
        GainCase{"MovingAverage16Dc", "fir_moving_average_16.txt", {}, 0, 1},
        GainCase{"MovingAverage16At3k", "fir_moving_average_16.txt", {}, 3000, 0},
        GainCase{"MovingAverage16At6k", "fir_moving_average_16.txt", {}, 6000, 0},
        GainCase{"LowPassDc", "fir_low_pass_3k.txt", {}, 0, 1},
        GainCase{"LowPassAt5k", "fir_low_pass_3k.txt", {}, 5000, 0},
        GainCase{"HighPassDc", "fir_high_pass_6k.txt", {}, 0, 0},
        GainCase{"HighPassAt3k", "fir_high_pass_6k.txt", {}, 3000, 0},
        GainCase{"HighPassAt9k", "fir_high_pass_6k.txt", {}, 9000, 1},
        GainCase{"BandPassAt1k", "fir_band_pass_4k_10k.txt", {}, 1000, 0},
        GainCase{"BandPassAt7k", "fir_band_pass_4k_10k.txt", {}, 7000, 1},
        GainCase{"BandPassAt14k", "fir_band_pass_4k_10k.txt", {}, 14000, 0},
        GainCase{"DifferentiatorDc", "fir_differentiator.txt", {}, 0, 0},
        GainCase{"DifferentiatorAtHalfRate", "fir_differentiator.txt", {}, 24000, 2},
        GainCase{"CombDc", "fir_comb_48.txt", {}, 0, 1},
        GainCase{"CombAt500", "fir_comb_48.txt", {}, 500, 0},
        GainCase{"CombAt1k", "fir_comb_48.txt", {}, 1000, 1},
        GainCase{"CombAt1500", "fir_comb_48.txt", {}, 1500, 0},
        GainCase{"FirstOrderLowPassDc", "iir_low_pass_first_order.txt", {}, 0, 1},
        GainCase{"FirstOrderLowPassAt1k", "iir_low_pass_first_order.txt", {}, 1000, 0.707},
        GainCase{"SecondOrderLowPassDc", "iir_low_pass_second_order.txt", {}, 0, 1},
        GainCase{"SecondOrderLowPassAt1k", "iir_low_pass_second_order.txt", {}, 1000, 0.70710678},
        GainCase{"ResonatorAt1k", "iir_resonator_1k.txt", {}, 1000, 1}),
    [](const ::testing::TestParamInfo<GainCase>& info) { return info.param.name; });

TEST(Response, MovingAverageIsExactlyOneAtDcAndZeroAtAQuarterOfTheRate) {
    EXPECT_EQ(ResponseAt(MovingAverage4, 0, SampleRate).magnitude, 1.0);
    EXPECT_EQ(ResponseAt(MovingAverage4, 12000, SampleRate).magnitude, 0.0);
}

TEST(Response, ResonatorPeaksAtOneKilohertz) {
    const std::vector<double> everyHertz = FrequenciesUpToHalfRate(24001, SampleRate);
    const std::vector<ResponsePoint> points =
        FrequencyResponse(Example("iir_resonator_1k.txt"), everyHertz, SampleRate);
    const auto peak = std::max_element(points.begin(), points.end(),
                                       [](auto& l, auto& r) { return l.magnitude < r.magnitude; });
    EXPECT_NEAR(peak->frequency, 1000.0, 5.0);
}

TEST(Response, PoleOnTheCircleIsAnInfiniteGainNotANumber) {
    const FilterCoefficients runningSum{{1, 0}, {0, 1}};
    const ResponsePoint dc = ResponseAt(runningSum, 0, SampleRate);
    EXPECT_TRUE(dc.infinite);
    EXPECT_EQ(dc.MagnitudeDb(), INFINITY);
    // |1 / (1 - e^-jpi/2)| = 1/sqrt(2) away from the pole.
    const ResponsePoint quarter = ResponseAt(runningSum, 12000, SampleRate);
    EXPECT_FALSE(quarter.infinite);
    EXPECT_NEAR(quarter.magnitude, std::sqrt(0.5), 1e-15);
}

struct StabilityCase {
    const char* name;
    std::vector<double> a;
    bool stable;
};

class Stability : public ::testing::TestWithParam<StabilityCase> {};

TEST_P(Stability, AllPolesStrictlyInsideTheUnitCircle) {
    const StabilityCase& c = GetParam();
    EXPECT_EQ(IsStable(FilterCoefficients{std::vector<double>(c.a.size(), 1.0), c.a}), c.stable);
}

INSTANTIATE_TEST_SUITE_P(
    Poles, Stability,
    ::testing::Values(StabilityCase{"HalfFeedback", {0, 0.5}, true},
                      StabilityCase{"RunningSum", {0, 1}, false},
                      StabilityCase{"GrowingFeedback", {0, 1.5}, false},
                      StabilityCase{"AlternatingSum", {0, -1}, false},
                      // z^2 - 1.5z + 0.9: complex poles of radius sqrt(0.9).
                      StabilityCase{"ComplexPolesInside", {0, 1.5, -0.9}, true},
                      // z^2 - 0.5z - 0.6: a real pole at 1.06.
                      StabilityCase{"RealPoleOutside", {0, 0.5, 0.6}, false},
                      StabilityCase{"TrailingZeros", {0, 0.5, 0, 0}, true},
                      StabilityCase{"NoFeedback", {0}, true}),
    [](const ::testing::TestParamInfo<StabilityCase>& info) { return info.param.name; });

TEST(Stability, ResonatorExampleIsStable) {
    EXPECT_TRUE(IsStable(Example("iir_resonator_1k.txt")));
}

} // namespace
} // namespace signova
