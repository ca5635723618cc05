#include "sound/listen_feed.h"
#include "sound/sample_ring.h"

#include <fftw3.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

using signova::ListenFeed;
using signova::SampleRing;

constexpr int SimulationRates[] = {48000, 44100, 22050, 11025, 8000, 5000, 1200, 1000};
constexpr std::size_t Analysed = 16384;

// What comes out at the device's rate when `feed` takes `count` samples of a
// sine of `frequency` at `rate`, starting at sample `start` of the sine.
void FeedSine(ListenFeed& feed, int rate, double frequency, int count) {
    for (int n = 0; n < count; ++n)
        feed.Take(static_cast<std::int16_t>(std::lround(
                      16000.0 * std::sin(2.0 * std::numbers::pi * frequency * n / rate))),
                  rate);
}

std::vector<std::int16_t> Drain(SampleRing& ring) {
    std::vector<std::int16_t> out(ring.Available());
    ring.Pop(out.data(), out.size());
    return out;
}

// The bin of the strongest component of the last Analysed samples, under a
// Hann window.
double PeakBin(const std::vector<std::int16_t>& samples) {
    std::vector<double> in(Analysed);
    const std::size_t first = samples.size() - Analysed;
    for (std::size_t i = 0; i < Analysed; ++i) {
        const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / Analysed);
        in[i] = window * samples[first + i];
    }
    std::vector<fftw_complex> out(Analysed / 2 + 1);
    fftw_plan plan =
        fftw_plan_dft_r2c_1d(static_cast<int>(Analysed), in.data(), out.data(), FFTW_ESTIMATE);
    fftw_execute(plan);
    fftw_destroy_plan(plan);
    std::size_t peak = 1;
    double peakPower = 0.0;
    for (std::size_t k = 1; k < out.size(); ++k) {
        const double power = out[k][0] * out[k][0] + out[k][1] * out[k][1];
        if (power > peakPower) {
            peakPower = power;
            peak = k;
        }
    }
    return static_cast<double>(peak);
}

int InputFor(std::size_t outputs, int rate, int deviceRate) {
    return static_cast<int>(std::ceil(static_cast<double>(outputs) * rate / deviceRate)) + 64;
}

class RateConversion : public ::testing::TestWithParam<int> {};

TEST_P(RateConversion, ATenthOfEverySimulationRateComesOutAtATenth) {
    const int deviceRate = GetParam();
    for (const int rate : SimulationRates) {
        SampleRing ring(1 << 20);
        ListenFeed feed(ring, deviceRate);
        FeedSine(feed, rate, rate / 10.0, InputFor(Analysed + 1024, rate, deviceRate));
        const std::vector<std::int16_t> out = Drain(ring);
        ASSERT_GE(out.size(), Analysed) << rate;
        const double expectedBin = rate / 10.0 * Analysed / deviceRate;
        EXPECT_NEAR(PeakBin(out), expectedBin, 1.0) << rate << " Hz to " << deviceRate << " Hz";
        EXPECT_EQ(feed.Overflows(), 0);
    }
}

TEST_P(RateConversion, FollowsAChangeOfTheSimulationRate) {
    const int deviceRate = GetParam();
    SampleRing ring(1 << 20);
    ListenFeed feed(ring, deviceRate);
    FeedSine(feed, 8000, 800.0, 8000);
    Drain(ring);
    FeedSine(feed, 1000, 100.0, InputFor(Analysed + 1024, 1000, deviceRate));
    const std::vector<std::int16_t> out = Drain(ring);
    ASSERT_GE(out.size(), Analysed);
    EXPECT_NEAR(PeakBin(out), 100.0 * Analysed / deviceRate, 1.0);
}

INSTANTIATE_TEST_SUITE_P(DeviceRates, RateConversion, ::testing::Values(48000, 44100));

} // namespace
