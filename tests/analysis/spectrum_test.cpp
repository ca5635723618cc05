#include "analysis/spectrum.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace signova {
namespace {

constexpr std::int32_t FullScale = 2047;

struct BinPeakCase {
    const char* name;
    std::vector<double> powers;
    int peakBin;
};

class PeakOnItsBin : public ::testing::TestWithParam<BinPeakCase> {};

// With no level on one side to fit a parabola to (an edge bin, or a
// neighbour on the floor), the peak reads its bin's frequency and level.
TEST_P(PeakOnItsBin, WithoutALevelOnBothSides) {
    const BinPeakCase& c = GetParam();
    const Spectrum spectrum = SpectrumOfPowers(c.powers, FullScale, 800.0);
    EXPECT_EQ(spectrum.peakBin, c.peakBin);
    EXPECT_EQ(spectrum.peakFrequency, c.peakBin * 100.0);
    EXPECT_EQ(spectrum.peakDb, spectrum.levelsDb[static_cast<std::size_t>(c.peakBin)]);
}

INSTANTIATE_TEST_SUITE_P(Bins, PeakOnItsBin,
                         ::testing::Values(BinPeakCase{"AtZeroHertz", {9, 1, 1, 1, 1}, 0},
                                           BinPeakCase{"AtHalfTheRate", {1, 1, 1, 1, 9}, 4},
                                           BinPeakCase{"BesideASilentBin", {1, 0, 4, 1, 1}, 2}),
                         [](const ::testing::TestParamInfo<BinPeakCase>& info) {
                             return std::string(info.param.name);
                         });

struct WordLengthCase {
    std::int32_t maxCode;
    int bits;
    double idealSinadDb;
};

class WordLengths : public ::testing::TestWithParam<WordLengthCase> {};

TEST_P(WordLengths, GiveTheIdealSinadAndBackTheBits) {
    const WordLengthCase& c = GetParam();
    EXPECT_EQ(WordLength(c.maxCode), c.bits);
    EXPECT_NEAR(IdealSinadDb(c.bits), c.idealSinadDb, 1e-12);
    EXPECT_NEAR(EffectiveBits(c.idealSinadDb), c.bits, 1e-12);
    EXPECT_NEAR(EffectiveBits(c.idealSinadDb - 6.02), c.bits - 1, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Converters, WordLengths,
                         ::testing::Values(WordLengthCase{127, 8, 49.92},
                                           WordLengthCase{511, 10, 61.96},
                                           WordLengthCase{2047, 12, 74.0}));

} // namespace
} // namespace signova
