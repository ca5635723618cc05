#include "engine/fir_filter.h"
#include "toolkit/errors.h"
#include "toolkit/number_text.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace signova
