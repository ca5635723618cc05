#include "analysis/frequency_response.h"
#include "analysis/stability.h"
#include "analysis/table_read.h"
#include "tests/analysis/example_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace signova {
namespace {

constexpr double Rate = 48000.0;

struct GainCase {
    const char* file; // an example, or nothing for `filter`
    FilterCoefficients filter;
    double frequency;
    double gain;
};

class Gains : public ::testing::TestWithParam<GainCase> {};

// Within 1 % of the stated gain (of 1 where the stated gain is smaller).
TEST_P(Gains, MatchTheStatedGain) {
    const GainCase& c = GetParam();
    const ResponsePoint point = ResponseAt(c.file ? Example(c.file) : c.filter, c.frequency, Rate);
    EXPECT_NEAR(point.magnitude, c.gain, 0.01 * std::max(c.gain, 1.0)) << c.file;
}

const char* const Average16 = "fir_moving_average_16.txt";
const char* const LowPass = "fir_low_pass_3k.txt";
const char* const HighPass = "fir_high_pass_6k.txt";
const char* const BandPass = "fir_band_pass_4k_10k.txt";
const char* const Difference = "fir_differentiator.txt";
const char* const Comb = "fir_comb_48.txt";
const char* const FirstOrder = "iir_low_pass_first_order.txt";
const char* const SecondOrder = "iir_low_pass_second_order.txt";

INSTANTIATE_TEST_SUITE_P(
    StatedGains, Gains,
    ::testing::Values(
        // y[n] = x[n] + 0.5 y[n-1]: feedback added, DC gain 1 / (1 - 0.5), not 1 / 1.5.
        GainCase{nullptr, {{1, 0}, {0, 0.5}}, 0, 2}, GainCase{Average16, {}, 0, 1},
        GainCase{Average16, {}, 3000, 0}, GainCase{Average16, {}, 6000, 0},
        GainCase{LowPass, {}, 0, 1}, GainCase{LowPass, {}, 5000, 0}, GainCase{HighPass, {}, 0, 0},
        GainCase{HighPass, {}, 3000, 0}, GainCase{HighPass, {}, 9000, 1},
        GainCase{BandPass, {}, 1000, 0}, GainCase{BandPass, {}, 7000, 1},
        GainCase{BandPass, {}, 14000, 0}, GainCase{Difference, {}, 0, 0},
        GainCase{Difference, {}, 24000, 2}, GainCase{Comb, {}, 0, 1}, GainCase{Comb, {}, 500, 0},
        GainCase{Comb, {}, 1000, 1}, GainCase{Comb, {}, 1500, 0}, GainCase{FirstOrder, {}, 0, 1},
        GainCase{FirstOrder, {}, 1000, 0.707}, GainCase{SecondOrder, {}, 0, 1},
        GainCase{SecondOrder, {}, 1000, 0.7071}, GainCase{"iir_resonator_1k.txt", {}, 1000, 1}),
    [](const ::testing::TestParamInfo<GainCase>& info) {
        const std::string file = info.param.file ? info.param.file : "half_feedback.txt";
        return file.substr(0, file.size() - 4) + "_at_" +
               std::to_string(static_cast<int>(info.param.frequency));
    });

TEST(Response, MovingAverageIsOneAtDcAndZeroAtAQuarterOfTheRate) {
    const FilterCoefficients average{{0.25, 0.25, 0.25, 0.25}, {}};
    EXPECT_EQ(ResponseAt(average, 0, Rate).magnitude, 1.0);
    EXPECT_EQ(ResponseAt(average, 12000, Rate).magnitude, 0.0);
}

TEST(Response, ResonatorPeaksAtOneKilohertz) {
    const std::vector<ResponsePoint> points = FrequencyResponse(
        Example("iir_resonator_1k.txt"), FrequenciesUpToHalfRate(24001, Rate), Rate);
    const auto peak = std::max_element(points.begin(), points.end(),
                                       [](auto& l, auto& r) { return l.magnitude < r.magnitude; });
    EXPECT_NEAR(peak->frequency, 1000.0, 5.0);
}

struct PoleCase {
    const char* name;
    FilterCoefficients filter;
    double frequency;
};

class PoleOnTheCircle : public ::testing::TestWithParam<PoleCase> {};

TEST_P(PoleOnTheCircle, GivesAnInfiniteGainNotANumber) {
    const ResponsePoint point = ResponseAt(GetParam().filter, GetParam().frequency, Rate);
    EXPECT_TRUE(point.infinite);
    EXPECT_EQ(point.MagnitudeDb(), std::numeric_limits<double>::infinity());
}

// y[n] = x[n] + y[n-1] has its pole at z = 1; y[n] = x[n] + 2 cos(2 pi / 48)
// y[n-1] - y[n-2] has its poles at e^(+-j 2 pi / 48), where the denominator
// comes to zero only within its rounding error.
INSTANTIATE_TEST_SUITE_P(
    Poles, PoleOnTheCircle,
    ::testing::Values(PoleCase{"AtZeroHertz", {{1, 0}, {0, 1}}, 0},
                      PoleCase{"AtOneKilohertz",
                               {{1, 0, 0}, {0, 2 * std::cos(2 * std::numbers::pi / 48), -1}},
                               1000}),
    [](const ::testing::TestParamInfo<PoleCase>& info) { return std::string(info.param.name); });

struct PhaseCase {
    const char* name;
    FilterCoefficients filter;
    double frequency;
    double phase; // radians
};

class Phases : public ::testing::TestWithParam<PhaseCase> {};

TEST_P(Phases, LagForADelayAndLieAboveMinusPiUpToPi) {
    EXPECT_EQ(ResponseAt(GetParam().filter, GetParam().frequency, Rate).phase, GetParam().phase);
}

INSTANTIATE_TEST_SUITE_P(
    Points, Phases,
    ::testing::Values(
        // y[n] = x[n-1]: a quarter period late at fs/4, -90 degrees.
        PhaseCase{"OneSampleDelayAtAQuarterOfTheRate", {{0, 1}, {}}, 12000, -std::numbers::pi / 2},
        // Unstable tables whose response is real and negative: b0 = 1 with a1 = 2 at 0 Hz, or
        // with a1 = -2 at fs/2 (where e^-jw = -1), give H = 1 / (1 - 2) = -1: 180 degrees,
        // never -180.
        PhaseCase{"FeedbackTwoAtZeroHertz", {{1, 0}, {0, 2}}, 0, std::numbers::pi},
        PhaseCase{"FeedbackMinusTwoAtHalfTheRate", {{1, 0}, {0, -2}}, 24000, std::numbers::pi}),
    [](const ::testing::TestParamInfo<PhaseCase>& info) { return std::string(info.param.name); });

struct StabilityCase {
    std::vector<double> a;
    bool stable;
};

class Stability : public ::testing::TestWithParam<StabilityCase> {};

TEST_P(Stability, MeansAllPolesStrictlyInsideTheUnitCircle) {
    EXPECT_EQ(IsStable({{1}, GetParam().a}), GetParam().stable);
}

INSTANTIATE_TEST_SUITE_P(Poles, Stability,
                         ::testing::Values(StabilityCase{{0, 0.5}, true},
                                           StabilityCase{{0, 1}, false},
                                           StabilityCase{{0, 1.5}, false},
                                           // z^2 - 1.5z + 0.9: complex poles of radius sqrt(0.9).
                                           StabilityCase{{0, 1.5, -0.9}, true},
                                           // z^2 - 0.5z - 0.6: a real pole at 1.06.
                                           StabilityCase{{0, 0.5, 0.6}, false}));

} // namespace
} // namespace signova
