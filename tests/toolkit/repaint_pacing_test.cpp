#include "toolkit/repaint_pacing.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>

namespace signova {
namespace {

using namespace std::chrono_literals;

class RepaintPacingTest : public ::testing::Test {
protected:
    // Any time far from the clock's epoch.
    RepaintPacing::TimePoint now = RepaintPacing::TimePoint{} + 3600s;
    RepaintPacing pacing{[this] { return now; }};
};

TEST_F(RepaintPacingTest, NothingPaintedYetRepaintsAtOnce) {
    EXPECT_EQ(pacing.WaitBeforeRepaint(), 0ms);
}

TEST_F(RepaintPacingTest, TheWaitCountsFromTheLatestPaint) {
    pacing.Painted();
    now += 40ms;
    pacing.Painted();
    now += 10ms;
    EXPECT_EQ(pacing.WaitBeforeRepaint(), 6ms);
}

struct WaitCase {
    std::chrono::nanoseconds sincePaint;
    std::chrono::milliseconds wait;
};

void PrintTo(const WaitCase& waitCase, std::ostream* out) {
    *out << waitCase.sincePaint.count() << " ns after the paint";
}

class RepaintPacingWait : public RepaintPacingTest,
                          public ::testing::WithParamInterface<WaitCase> {};

TEST_P(RepaintPacingWait, RepaintsNoSoonerThanOneFrameAfterThePaint) {
    pacing.Painted();
    now += GetParam().sincePaint;
    EXPECT_EQ(pacing.WaitBeforeRepaint(), GetParam().wait);
}

INSTANTIATE_TEST_SUITE_P(RepaintPacing, RepaintPacingWait,
                         ::testing::Values(WaitCase{0ns, 16ms}, WaitCase{5ms, 11ms},
                                           WaitCase{15500us, 1ms}, // rounded up to whole ms
                                           WaitCase{15ms, 1ms}, WaitCase{16ms, 0ms},
                                           WaitCase{1s, 0ms}));

} // namespace
} // namespace signova
