#include "analysis/sample_record.h"
#include "analysis/spectrum_average.h"
#if defined(SIGNOVA_TEST_SPECTRUM_ANALYZER)
#include "analysis/spectrum_analyzer.h"
#endif

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace signova {
namespace {

using Powers = std::vector<double>;

struct CombineCase {
    const char* name;
    SpectrumAveraging averaging;
    std::vector<Powers> records; // handed in in this order
    Powers combined;             // after the last
    int recordsCombined;
};

class CombinedPowers : public ::testing::TestWithParam<CombineCase> {};

TEST_P(CombinedPowers, AreTheMeanOfTheLastRecordsOrTheHighest) {
    const CombineCase& c = GetParam();
    SpectrumAverager averager;
    averager.SetAveraging(c.averaging);
    std::span<const double> combined;
    for (const Powers& record : c.records)
        combined = averager.Add(record);
    EXPECT_EQ(Powers(combined.begin(), combined.end()), c.combined);
    EXPECT_EQ(averager.Records(), c.recordsCombined);
}

const std::vector<Powers> Five{{1, 8}, {3, 0}, {5, 4}, {7, 0}, {9, 16}};

INSTANTIATE_TEST_SUITE_P(
    Cases, CombinedPowers,
    ::testing::Values(
        CombineCase{"OffShowsTheLast", SpectrumAveraging::Off, Five, {9, 16}, 1},
        CombineCase{"FourBeforeTheFourth", SpectrumAveraging::Four, {Five[0], Five[1]}, {2, 4}, 2},
        // The first record has left the mean.
        CombineCase{"FourOfFive", SpectrumAveraging::Four, Five, {6, 5}, 4},
        CombineCase{"SixteenOfFive", SpectrumAveraging::Sixteen, Five, {5, 5.6}, 5},
        CombineCase{
            "MaxHoldOfEachBin", SpectrumAveraging::MaxHold, {{1, 8}, {3, 0}, {2, 4}}, {3, 8}, 3}),
    [](const ::testing::TestParamInfo<CombineCase>& info) { return std::string(info.param.name); });

TEST(SpectrumAverager, StartsOverOnAChangeOfAveragingOrOfBins) {
    SpectrumAverager averager;
    averager.SetAveraging(SpectrumAveraging::Four);
    averager.Add(Powers{100, 100});
    averager.SetAveraging(SpectrumAveraging::MaxHold);
    EXPECT_EQ(averager.Add(Powers{1, 2})[0], 1.0);
    averager.SetAveraging(SpectrumAveraging::Four);
    averager.Add(Powers{4, 4});
    const std::span<const double> threeBins = averager.Add(Powers{2, 2, 2});
    EXPECT_EQ(Powers(threeBins.begin(), threeBins.end()), (Powers{2, 2, 2}));
    EXPECT_EQ(averager.Records(), 1);
}

// With real spectra: where the spectrum analyzer is built (FFTW).
#if defined(SIGNOVA_TEST_SPECTRUM_ANALYZER)
struct Floor {
    double mean = 0.0;
    double spread = 0.0; // standard deviation of the bin powers over their mean
};

// The floor of white noise: the bin powers away from the edges, where the
// window's leakage of the noise's own mean and the missing mirror image at
// half the rate make bins unlike the others.
Floor FloorOf(std::span<const double> powers) {
    const std::size_t first = SinadEdgeBins;
    const std::size_t last = powers.size() - SinadEdgeBins;
    double sum = 0.0;
    double squares = 0.0;
    for (std::size_t k = first; k < last; ++k) {
        sum += powers[k];
        squares += powers[k] * powers[k];
    }
    const double count = static_cast<double>(last - first);
    const double mean = sum / count;
    return {mean, std::sqrt(squares / count - mean * mean) / mean};
}

// A record of noise spread evenly over +-100 codes, the same for every run of
// the test (the engine's raw output is fixed by the standard).
std::vector<double> NoiseRecord(std::mt19937& engine) {
    std::vector<double> record(RecordLength);
    for (double& sample : record)
        sample = std::round((static_cast<double>(engine()) / 4294967295.0 - 0.5) * 200.0);
    return record;
}

// The floor of one noise record spreads as widely as its own level; the mean
// of 16 records spreads a quarter as widely (one over the square root of 16),
// at the same level.
TEST(SpectrumAverager, SixteenNoiseRecordsNarrowTheFloorFourfold) {
    std::mt19937 engine(20);
    SpectrumAnalyzer analyzer(RecordLength);
    SpectrumAverager averager;
    averager.SetAveraging(SpectrumAveraging::Sixteen);
    const Floor single = FloorOf(analyzer.BinPowers(NoiseRecord(engine)));
    std::span<const double> averaged;
    for (int record = 0; record < 16; ++record)
        averaged = averager.Add(analyzer.BinPowers(NoiseRecord(engine)));
    const Floor floor = FloorOf(averaged);
    const double narrowing = single.spread / floor.spread;
    EXPECT_GE(narrowing, 3.0);
    EXPECT_LE(narrowing, 5.0);
    // Uniform noise of +-100 codes has a mean square of 100^2 / 3 codes^2,
    // spread over the 2048 bins with the window's noise bandwidth of 2.0044
    // bins each.
    const double expected = 100.0 * 100.0 / 3.0 / 2048.0 * 2.0044;
    EXPECT_NEAR(floor.mean / expected, 1.0, 0.05);
    EXPECT_NEAR(single.mean / expected, 1.0, 0.1);
}

#endif

} // namespace
} // namespace signova
