#include "analysis/group_delay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace signova;

// A linear-phase FIR shows a flat (N - 1) / 2, with a gap at each zero on the
// unit circle (the 4-tap average: 12 and 24 kHz at 48 kHz); a one-pole IIR
// y = x + 0.5 y[n-1] has delay 1 at 0 Hz and -1/3 at fs/2.
TEST(GroupDelay, FlatForLinearPhaseGapsAtZerosOnTheCircleFeedbackSigned) {
    const std::vector<double> frequencies = {0.0, 3000.0, 12000.0, 18000.0, 24000.0};
    const std::vector<double> average = GroupDelay({{0.25, 0.25, 0.25, 0.25}, {}}, frequencies, 48000);
    EXPECT_NEAR(average[0], 1.5, 1e-12);
    EXPECT_NEAR(average[1], 1.5, 1e-12);
    EXPECT_TRUE(std::isnan(average[2]));
    EXPECT_NEAR(average[3], 1.5, 1e-12);
    EXPECT_TRUE(std::isnan(average[4]));

    const std::vector<double> pole = GroupDelay({{1.0, 0.0}, {0.0, 0.5}}, {0.0, 24000.0}, 48000);
    EXPECT_NEAR(pole[0], 1.0, 1e-12);
    EXPECT_NEAR(pole[1], -1.0 / 3.0, 1e-12);
}

// A delay of 10 samples: the wrapped phase jumps by 360 again and again, the
// unwrapped one falls in a straight line, -3600 degrees at fs/2; a gap starts
// afresh.
TEST(GroupDelay, UnwrappingTakesOutTheJumps) {
    std::vector<double> wrapped;
    for (int i = 0; i <= 100; ++i) {
        const double straight = -3600.0 * i / 100;
        wrapped.push_back(straight - 360.0 * std::round(straight / 360.0) == -180.0
                              ? 180.0
                              : straight - 360.0 * std::round(straight / 360.0));
    }
    const std::vector<double> unwrapped = UnwrappedDegrees(wrapped);
    for (int i = 0; i <= 100; ++i)
        EXPECT_NEAR(unwrapped[static_cast<std::size_t>(i)], -3600.0 * i / 100, 1e-9) << i;
    const std::vector<double> gap = UnwrappedDegrees({170.0, -170.0, std::nan(""), -170.0});
    EXPECT_EQ(gap[1], 190.0);
    EXPECT_TRUE(std::isnan(gap[2]));
    EXPECT_EQ(gap[3], -170.0);
}
