#include "sound/listen_feed.h"
#include "sound/sample_ring.h"
#include "sound/sixteen_bit.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using signova::ListenFeed;
using signova::SampleRing;

TEST(SampleRing, TakesWhatFitsAndGivesItBackInOrderAcrossTheEnd) {
    SampleRing ring(5);
    const std::array<std::int16_t, 4> first{1, 2, 3, 4};
    EXPECT_EQ(ring.Push(first.data(), first.size()), 4U);
    std::array<std::int16_t, 3> out{};
    EXPECT_EQ(ring.Pop(out.data(), 3), 3U);
    EXPECT_EQ(out, (std::array<std::int16_t, 3>{1, 2, 3}));
    // Four free places: 5, 6, 7 and 8 go round the end, 9 does not fit.
    const std::array<std::int16_t, 5> second{5, 6, 7, 8, 9};
    EXPECT_EQ(ring.Push(second.data(), second.size()), 4U);
    EXPECT_EQ(ring.Free(), 0U);
    std::array<std::int16_t, 6> rest{};
    EXPECT_EQ(ring.Pop(rest.data(), rest.size()), 5U);
    EXPECT_EQ(rest, (std::array<std::int16_t, 6>{4, 5, 6, 7, 8, 0}));
    EXPECT_EQ(ring.TotalRead(), 8U);
}

TEST(SampleRing, AConsumerThreadGetsEverySampleOnceInOrder) {
    constexpr int Count = 200000;
    SampleRing ring(64);
    std::vector<std::int16_t> received;
    received.reserve(Count);
    std::thread consumer([&] {
        std::array<std::int16_t, 16> buffer{};
        while (received.size() < Count) {
            const std::size_t n = ring.Pop(buffer.data(), buffer.size());
            received.insert(received.end(), buffer.begin(), buffer.begin() + static_cast<long>(n));
        }
    });
    for (int i = 0; i < Count;) {
        const auto sample = static_cast<std::int16_t>(i % 30000);
        i += static_cast<int>(ring.Push(&sample, 1));
    }
    consumer.join();
    for (int i = 0; i < Count; ++i)
        ASSERT_EQ(received[static_cast<std::size_t>(i)], i % 30000) << "sample " << i;
}

// code << (16 - bits): each converter's codes fill the same 16-bit range.
TEST(SixteenBitSample, ShiftsEachConvertersCodesToTheSameRange) {
    const std::tuple<double, std::int32_t, std::int16_t> cases[] = {
        {127, 127, 32512},   {-127, 127, -32512},  {1, 127, 256},     {511, 511, 32704},
        {-1, 511, -64},      {2047, 2047, 32752},  {-2047, 2047, -32752}, {3, 2047, 48},
        {0, 2047, 0},
        // A 12-bit code after a change to 8 bits is held at the range's end.
        {2047, 127, 32767},  {-2047, 127, -32768},
    };
    for (const auto& [code, maxCode, expected] : cases)
        EXPECT_EQ(signova::SixteenBitSample(code, maxCode), expected)
            << code << " of max " << maxCode;
}

TEST(ListenFeed, WaitsForRoomInTheRingThenDelivers) {
    SampleRing ring(100);
    ListenFeed feed(ring, 8000);
    // 8000 Hz to 8000 Hz: blocks of 8 samples.
    for (int i = 0; i < 200 && !feed.Backlogged(); ++i)
        feed.Take(1000, 8000);
    EXPECT_TRUE(feed.Backlogged());
    EXPECT_EQ(ring.Free(), 0U);
    std::array<std::int16_t, 100> out{};
    ring.Pop(out.data(), out.size());
    feed.Flush();
    EXPECT_FALSE(feed.Backlogged());
    EXPECT_EQ(feed.Overflows(), 0);
}

TEST(ListenFeed, CountsTheSamplesOfARunThatDoesNotWait) {
    SampleRing ring(16);
    ListenFeed feed(ring, 8000);
    // The ring and the waiting room fill up; every further block of 8 is lost.
    for (int i = 0; i < 4000; ++i)
        feed.Take(1000, 8000);
    EXPECT_GT(feed.Overflows(), 0);
    EXPECT_EQ(feed.Overflows() % 8, 0);
    feed.Drop();
    EXPECT_FALSE(feed.Backlogged());
}

} // namespace
