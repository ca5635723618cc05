#include "engine/fir_filter.h"
#include "toolkit/bit_cast.h"
#include "toolkit/errors.h"
#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace signova {
namespace {

constexpr const char* DefaultTap = "0.0208333333333333";

// A FIR table as the window keeps it: labels in column 0, values in column 1.
CellStore FirTable(const std::vector<std::string>& values) {
    CellStore grid(2, 200, 1, 0);
    for (std::size_t r = 0; r < values.size(); ++r) {
        grid.SetCell(0, static_cast<int>(r), std::string("h").append(std::to_string(r)));
        grid.SetCell(1, static_cast<int>(r), values[r]);
    }
    return grid;
}

std::vector<double> Steps(SimulatorState& state, const std::vector<double>& inputs) {
    std::vector<double> outputs;
    for (double x : inputs)
        outputs.push_back(FIRStep(state, x));
    return outputs;
}

// --- Reading the table --------------------------------------------------

TEST(FirRead, StopsAtTheFirstEmptyValueCell) {
    SimulatorState state;
    CellStore grid = FirTable({"1", "2", "3", "4", "5", "", "7", "8"});
    ReadFIRCoefficients(state, grid);
    EXPECT_EQ(state.FirLastTap, 4);
    EXPECT_EQ(state.FirCoefficients[4], 5);
    EXPECT_EQ(state.FirCoefficients[6], 0);
}

TEST(FirRead, IsNotBoundedByTheRowCount) {
    SimulatorState state;
    CellStore grid = FirTable({"1", "2", "3"});
    grid.SetRowCount(1);
    ReadFIRCoefficients(state, grid);
    EXPECT_EQ(state.FirLastTap, 2);
    EXPECT_EQ(state.FirCoefficients[2], 3);
}

TEST(FirRead, ClearsTheDelayEntriesOfTheTapsItReads) {
    SimulatorState state;
    state.InputDelay.fill(9);
    ReadFIRCoefficients(state, FirTable({"1", "1", "1"}));
    EXPECT_EQ(state.InputDelay[0], 0);
    EXPECT_EQ(state.InputDelay[2], 0);
    EXPECT_EQ(state.InputDelay[3], 9);
}

TEST(FirRead, EmptyFirstCellLeavesNoTapAndTheOutputSilent) {
    SimulatorState state;
    state.InputDelay[1] = 7;
    ReadFIRCoefficients(state, FirTable({"", "1"}));
    EXPECT_EQ(state.FirLastTap, -1);
    EXPECT_EQ(FIRStep(state, 500), 0);
    EXPECT_EQ(state.InputDelay[0], 500);
    EXPECT_EQ(state.InputDelay[1], 7);
}

TEST(FirRead, TextThatIsNotANumberStopsTheReadWithTheRowsAboveReplaced) {
    SimulatorState state;
    state.FirLastTap = 47;
    state.FirCoefficients.fill(0.5);
    state.InputDelay.fill(9);
    try {
        ReadFIRCoefficients(state, FirTable({"1", "2", "3", "abc", "5"}));
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid floating point value");
    }
    EXPECT_EQ(state.FirCoefficients[2], 3);
    EXPECT_EQ(state.InputDelay[2], 0);
    EXPECT_EQ(state.FirCoefficients[3], 0.5);
    EXPECT_EQ(state.InputDelay[3], 9);
    EXPECT_EQ(state.FirLastTap, 47);
}

TEST(FirRead, CellOfSpacesIsNotEmptyAndFails) {
    SimulatorState state;
    EXPECT_THROW(ReadFIRCoefficients(state, FirTable({"1", "  "})), ConversionError);
}

TEST(FirRead, NumberTooLargeForADoubleIsAnOverflow) {
    SimulatorState state;
    state.FirLastTap = 47;
    try {
        ReadFIRCoefficients(state, FirTable({"1", "1e400"}));
        FAIL() << "no error";
    } catch (const FloatOverflowError& error) {
        EXPECT_STREQ(error.what(), "Floating point overflow");
    }
    EXPECT_EQ(state.FirCoefficients[0], 1);
    EXPECT_EQ(state.FirLastTap, 47);
}

TEST(FirRead, ThreeHundredValuesUseEveryTap) {
    SimulatorState state;
    ReadFIRCoefficients(state, FirTable(std::vector<std::string>(300, "1")));
    EXPECT_EQ(state.FirLastTap, 299);
    state.InputDelay[300] = 777;
    state.InputDelay[301] = 12345;
    state.InputDelay[302] = 12345;
    EXPECT_EQ(FIRStep(state, 2), 2);
    EXPECT_EQ(state.InputDelay[1], 2);
    EXPECT_EQ(state.InputDelay[300], 0); // written from entry 299
    EXPECT_EQ(state.InputDelay[301], 12345);
    EXPECT_EQ(state.InputDelay[302], 12345);
}

// A table filled by hand past 300 rows: the filter holds 300 taps, and the
// cells below them are never converted.
TEST(FirRead, StopsAfterThreeHundredValues) {
    SimulatorState state;
    std::vector<std::string> values(300, "1");
    values.insert(values.end(), 10, "abc");
    CellStore grid = FirTable(values);
    grid.SetRowCount(310);
    ReadFIRCoefficients(state, grid);
    EXPECT_EQ(state.FirLastTap, 299);
    EXPECT_EQ(state.FirCoefficients[299], 1);
}

// --- Filtering -------------------------------------------------------------

TEST(FirStep, DefaultMovingAverageRisesForFortySevenStepsThenHolds) {
    SimulatorState state;
    ReadFIRCoefficients(state, FirTable(std::vector<std::string>(48, DefaultTap)));
    ASSERT_EQ(state.FirLastTap, 47);
    const std::vector<double> out = Steps(state, std::vector<double>(100, 2047));
    for (std::size_t n = 1; n < 47; ++n)
        EXPECT_LT(out[n - 1], out[n]) << n;
    EXPECT_LT(out[46], 2046.9999999999966);
    for (std::size_t n = 47; n < out.size(); ++n)
        EXPECT_EQ(out[n], 2046.9999999999966) << n;
}

TEST(FirStep, DefaultMovingAverageRoundsBackToEveryTwelveBitCode) {
    SimulatorState state;
    CellStore grid = FirTable(std::vector<std::string>(48, DefaultTap));
    for (int code = -2047; code <= 2047; ++code) {
        ReadFIRCoefficients(state, grid);
        double y = 0;
        for (int n = 0; n < 48; ++n)
            y = FIRStep(state, code);
        ASSERT_EQ(RoundHalfEven(y), code);
    }
}

TEST(FirStep, SingleTapOfTwoDoublesExactly) {
    SimulatorState state;
    ReadFIRCoefficients(state, FirTable({"2"}));
    EXPECT_EQ(Steps(state, {1, -2047, 2047, 0.5}), (std::vector<double>{2, -4094, 4094, 1}));
}

TEST(FirStep, DelayLineHoldsThePreviousInputs) {
    SimulatorState state;
    ReadFIRCoefficients(state, FirTable({"1", "10", "100"}));
    EXPECT_EQ(Steps(state, {1, 2, 3, 4}), (std::vector<double>{1, 12, 123, 234}));
    EXPECT_EQ(state.InputDelay[0], 4);
    EXPECT_EQ(state.InputDelay[1], 4);
    EXPECT_EQ(state.InputDelay[3], 2);
}

// Products and sums carry a 64-bit significand and the sum is rounded to
// double after every addition, from the highest tap down. Plain double
// arithmetic, a fused multiply-add, an unrounded extended sum and the
// ascending order each give another last bit in these cases.
TEST(FirStep, ExtendedPrecisionSumsRoundToDoubleAfterEveryAddition) {
    SimulatorState state;
    ReadFIRCoefficients(state, FirTable({"0.109", "0.126"}));
    EXPECT_EQ(Steps(state, {-800, -1665}).back(), -282.28499999999997);

    ReadFIRCoefficients(state, FirTable({"0.815", "0.040", "0.378"}));
    EXPECT_EQ(Steps(state, {-686, -1382, 377}).back(), -7.332999999999986);
}

// --- Several outputs at a time ----------------------------------------------

struct KernelCase {
    int taps;
    int chains;
};

class FirKernel : public ::testing::TestWithParam<KernelCase> {};

void KernelSums(int chains, const SimulatorState& state, const std::vector<double>& newestFirst,
                int count, double* sums) {
    const double* h = state.FirCoefficients.data();
    switch (chains) {
    case 1:
        return FirSums<1>(h, state.FirLastTap, newestFirst.data(), count, sums);
    case 4:
        return FirSums<4>(h, state.FirLastTap, newestFirst.data(), count, sums);
    default:
        return FirSums<8>(h, state.FirLastTap, newestFirst.data(), count, sums);
    }
}

// Each of the interleaved chains gives its output exactly the sum that
// FIRStep gives for the same input history: the same products, added in the
// same order, rounded at the same places.
TEST_P(FirKernel, EveryOutputIsTheStepsSumBitForBit) {
    const auto [taps, chains] = GetParam();
    std::mt19937_64 random(static_cast<std::uint64_t>(taps * 10 + chains));
    std::uniform_real_distribution<double> coefficient(-1.5, 1.5);
    std::uniform_int_distribution<int> code(-2047, 2047);
    SimulatorState state;
    for (int k = 0; k < taps; ++k)
        state.FirCoefficients[static_cast<std::size_t>(k)] = coefficient(random);
    state.FirLastTap = taps - 1;

    constexpr int Count = 32;
    const int history = Count + taps + 5;
    std::vector<double> inputs(static_cast<std::size_t>(history));
    for (double& x : inputs)
        x = code(random);
    std::vector<double> expected;
    for (double x : inputs)
        expected.push_back(FIRStep(state, x));

    // Newest first, with the silence before the first input behind it.
    std::vector<double> newestFirst(inputs.rbegin(), inputs.rend());
    newestFirst.resize(newestFirst.size() + static_cast<std::size_t>(taps), 0.0);
    std::vector<double> sums(Count, -1.0);
    KernelSums(chains, state, newestFirst, Count, sums.data());
    for (int j = 0; j < Count; ++j) {
        const double want = expected[static_cast<std::size_t>(history - 1 - j)];
        EXPECT_EQ(std::bit_cast<std::uint64_t>(sums[static_cast<std::size_t>(j)]),
                  std::bit_cast<std::uint64_t>(want))
            << "output " << j << ": " << sums[static_cast<std::size_t>(j)] << " vs " << want;
    }
}

INSTANTIATE_TEST_SUITE_P(TapsAndChains, FirKernel,
                         ::testing::Values(KernelCase{0, 1}, KernelCase{0, 8}, KernelCase{1, 1},
                                           KernelCase{1, 4}, KernelCase{2, 8}, KernelCase{3, 4},
                                           KernelCase{7, 8}, KernelCase{48, 1}, KernelCase{48, 4},
                                           KernelCase{48, 8}, KernelCase{299, 4},
                                           KernelCase{300, 8}),
                         [](const ::testing::TestParamInfo<KernelCase>& info) {
                             return std::to_string(info.param.taps) + "Taps" +
                                    std::to_string(info.param.chains) + "Chains";
                         });

// The two known sums of the single-step test, computed eight at a time.
TEST(FirKernelSums, KnownExtendedPrecisionSumsInEightChains) {
    SimulatorState state;
    ReadFIRCoefficients(state, FirTable({"0.815", "0.040", "0.378"}));
    std::vector<double> newestFirst(10, 0.0);
    newestFirst[0] = 377;
    newestFirst[1] = -1382;
    newestFirst[2] = -686;
    newestFirst[4] = -1665; // the other history, four places on
    newestFirst[5] = -800;
    std::vector<double> sums(8, 0.0);
    FirSums<8>(state.FirCoefficients.data(), state.FirLastTap, newestFirst.data(), 8, sums.data());
    EXPECT_EQ(sums[0], -7.332999999999986);

    ReadFIRCoefficients(state, FirTable({"0.109", "0.126"}));
    FirSums<8>(state.FirCoefficients.data(), state.FirLastTap, newestFirst.data(), 8, sums.data());
    EXPECT_EQ(sums[4], -282.28499999999997);
}

} // namespace
} // namespace signova
