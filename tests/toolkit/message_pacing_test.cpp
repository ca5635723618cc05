#include "toolkit/message_pacing.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <vector>

namespace signova {
namespace {

using namespace std::chrono_literals;

// Drives the pacing as the run loop does, one call per sample, on a fake clock
// that advances by a fixed time per sample and per hand-over.
class PacedLoop {
public:
    PacedLoop(std::chrono::nanoseconds perSample, std::chrono::nanoseconds perHandOver)
        : perSample_(perSample), perHandOver_(perHandOver) {}

    void Run(int samples) {
        for (int i = 0; i < samples; ++i) {
            ++sample_;
            now_ += perSample_;
            if (pacing_.HandOverDue()) {
                handOvers.push_back(sample_);
                now_ += perHandOver_;
                pacing_.HandedBack();
            }
        }
    }

    std::vector<int> handOvers;  // the samples after which control went to Qt
    std::vector<int> clockReads; // the sample during which each read happened

private:
    std::chrono::nanoseconds perSample_;
    std::chrono::nanoseconds perHandOver_;
    int sample_ = 0;
    // Any time far from the clock's epoch.
    MessagePacing::TimePoint now_ = MessagePacing::TimePoint{} + 3600s;
    MessagePacing pacing_{[this] {
        clockReads.push_back(sample_);
        return now_;
    }};
};

std::vector<int> EveryNth(int step, int count) {
    std::vector<int> samples;
    for (int i = 1; i <= count; ++i)
        samples.push_back(i * step);
    return samples;
}

TEST(MessagePacing, FirstHandOverComesAtTheThirtySecondSampleWithTheFirstClockRead) {
    PacedLoop loop(0ns, 0ns);
    loop.Run(31);
    EXPECT_TRUE(loop.handOvers.empty());
    EXPECT_TRUE(loop.clockReads.empty());
    loop.Run(1);
    EXPECT_EQ(loop.handOvers, std::vector<int>{32});
    EXPECT_EQ(loop.clockReads, (std::vector<int>{32, 32}));
}

TEST(MessagePacing, ReadsTheClockEveryThirtySecondSampleAndOnceMoreAfterAHandOver) {
    PacedLoop loop(5us, 0ns);
    loop.Run(200);
    EXPECT_EQ(loop.handOvers, (std::vector<int>{32, 160}));
    EXPECT_EQ(loop.clockReads, (std::vector<int>{32, 32, 64, 96, 128, 160, 160, 192}));
}

struct PacingCase {
    const char* name;
    std::chrono::nanoseconds perSample;
    std::chrono::nanoseconds perHandOver;
    std::vector<int> handOvers; // within the first 400 samples
};

void PrintTo(const PacingCase& pacingCase, std::ostream* out) {
    *out << pacingCase.name;
}

class MessagePacingSlices : public ::testing::TestWithParam<PacingCase> {};

TEST_P(MessagePacingSlices, HandsOverAtTheseSamples) {
    PacedLoop loop(GetParam().perSample, GetParam().perHandOver);
    loop.Run(400);
    EXPECT_EQ(loop.handOvers, GetParam().handOvers);
}

INSTANTIATE_TEST_SUITE_P(
    MessagePacing, MessagePacingSlices,
    ::testing::Values(
        // 32 samples take longer than a slice: every clock read hands over.
        PacingCase{"SlowSamples", 20us, 0ns, EveryNth(32, 12)},
        // 32 samples take 160 us: the fourth read after a hand-over is the
        // first at or past the slice's end.
        PacingCase{"FastSamples", 5us, 0ns, {32, 160, 288}},
        // The slice ends exactly at the read: hand over.
        PacingCase{"ReadExactlyAtTheSliceEnd", 15625ns, 0ns, EveryNth(32, 12)},
        // 1 ns per sample less and the read comes 32 ns early: wait a read more.
        PacingCase{"ReadJustBeforeTheSliceEnd", 15624ns, 0ns, {32, 96, 160, 224, 288, 352}},
        // The slice starts when Qt hands back, not when it was given control.
        PacingCase{"SlowHandOvers", 5us, 2ms, {32, 160, 288}}),
    [](const ::testing::TestParamInfo<PacingCase>& info) { return info.param.name; });

} // namespace
} // namespace signova
