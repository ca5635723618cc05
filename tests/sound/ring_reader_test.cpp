#include "sound/ring_reader.h"
#include "sound/sample_ring.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

using signova::RingReader;
using signova::SampleRing;

void Fill(SampleRing& ring, std::int16_t value, std::size_t count) {
    const std::vector<std::int16_t> samples(count, value);
    ASSERT_EQ(ring.Push(samples.data(), count), count);
}

TEST(RingReader, FadesInAtTheStart) {
    SampleRing ring(64);
    RingReader reader(ring);
    reader.Prepare(4);
    Fill(ring, 1000, 6);
    std::array<std::int16_t, 6> out{};
    reader.Fill(out.data(), out.size());
    EXPECT_EQ(out, (std::array<std::int16_t, 6>{250, 500, 750, 1000, 1000, 1000}));
    EXPECT_EQ(reader.Underruns(), 0);
}

TEST(RingReader, FadesOutOnRequestThenGivesSilenceAndDropsTheRest) {
    SampleRing ring(64);
    RingReader reader(ring);
    reader.Prepare(4);
    Fill(ring, -800, 11);
    std::array<std::int16_t, 8> out{};
    reader.Fill(out.data(), out.size());
    reader.FadeOut();
    EXPECT_FALSE(reader.FadeBegun());
    EXPECT_FALSE(reader.Faded());
    // The fade goes on over what the ring has, then over silence.
    std::array<std::int16_t, 6> fade{};
    reader.Fill(fade.data(), fade.size());
    EXPECT_TRUE(reader.FadeBegun());
    EXPECT_EQ(fade, (std::array<std::int16_t, 6>{-600, -400, -200, 0, 0, 0}));
    EXPECT_TRUE(reader.Faded());
    Fill(ring, -800, 40);
    reader.Fill(fade.data(), fade.size());
    EXPECT_TRUE(reader.Faded());
    EXPECT_EQ(ring.Available(), 0U);
    Fill(ring, 500, 4);
    reader.Fill(out.data(), out.size());
    EXPECT_EQ(out, (std::array<std::int16_t, 8>{}));
    // Silence after a stop is no underrun.
    EXPECT_EQ(reader.Underruns(), 0);
}

TEST(RingReader, CountsABufferItCannotFillWhileSounding) {
    SampleRing ring(64);
    RingReader reader(ring);
    reader.Prepare(1);
    Fill(ring, 300, 5);
    std::array<std::int16_t, 8> out{};
    reader.Fill(out.data(), out.size());
    EXPECT_EQ(out, (std::array<std::int16_t, 8>{300, 300, 300, 300, 300, 0, 0, 0}));
    EXPECT_EQ(reader.Underruns(), 1);
    reader.Prepare(1);
    EXPECT_EQ(reader.Underruns(), 0);
}

TEST(RingReader, GivesTheLeadInAsSilenceWithoutTakingFromTheRing) {
    SampleRing ring(64);
    RingReader reader(ring);
    reader.Prepare(1, 5);
    Fill(ring, 700, 4);
    std::array<std::int16_t, 3> first{};
    reader.Fill(first.data(), first.size());
    EXPECT_EQ(first, (std::array<std::int16_t, 3>{0, 0, 0}));
    std::array<std::int16_t, 6> second{};
    reader.Fill(second.data(), second.size());
    EXPECT_EQ(second, (std::array<std::int16_t, 6>{0, 0, 700, 700, 700, 700}));
    EXPECT_EQ(reader.Underruns(), 0);
}

} // namespace
