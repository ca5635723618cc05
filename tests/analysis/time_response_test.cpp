#include "analysis/time_response.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace signova;

// Impulse and step responses with exact values: a FIR's impulse response is
// its taps, then zeros; y[n] = x[n] + 0.5 y[n-1] answers 0.5^n and 2 - 0.5^n;
// y[n] = x[n] + 2 y[n-1] doubles until the run could no longer round it
// (2^63), where the response ends as the run would.
TEST(TimeResponse, ImpulseAndStepResponsesOfTheRunsFilters) {
    const FilterCoefficients fir{{0.25, 0.5, 0.25}, {}};
    EXPECT_EQ(TimeResponseLength(fir), 64);
    EXPECT_EQ(TimeResponseLength(FilterCoefficients{std::vector<double>(100, 0.01), {}}), 116);
    const TimeResponse impulse = ImpulseResponse(fir, 64);
    std::vector<double> expected(64, 0.0);
    expected[0] = 0.25;
    expected[1] = 0.5;
    expected[2] = 0.25;
    EXPECT_EQ(impulse.samples, expected);
    EXPECT_FALSE(impulse.endsInvalid);
    const TimeResponse step = StepResponse(fir, 5);
    EXPECT_EQ(step.samples, (std::vector<double>{0.25, 0.75, 1.0, 1.0, 1.0}));

    const FilterCoefficients decaying{{1.0, 0.0}, {0.0, 0.5}};
    EXPECT_EQ(TimeResponseLength(decaying), 256);
    const TimeResponse iirImpulse = ImpulseResponse(decaying, 256);
    const TimeResponse iirStep = StepResponse(decaying, 40);
    ASSERT_EQ(iirImpulse.samples.size(), 256u);
    for (int n = 0; n < 40; ++n) {
        EXPECT_EQ(iirImpulse.samples[static_cast<std::size_t>(n)], std::ldexp(1.0, -n)) << n;
        EXPECT_EQ(iirStep.samples[static_cast<std::size_t>(n)], 2.0 - std::ldexp(1.0, -n)) << n;
    }

    const TimeResponse growing = ImpulseResponse({{1.0, 0.0}, {0.0, 2.0}}, 256);
    EXPECT_TRUE(growing.endsInvalid);
    ASSERT_EQ(growing.samples.size(), 63u);
    EXPECT_EQ(growing.samples.back(), std::ldexp(1.0, 62));
}
