#include "engine/iir_filter.h"
#include "tests/support/scripted_dialogs.h"
#include "toolkit/errors.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace signova {
namespace {

using testing::ScriptedDialogs;

struct Row {
    std::string a;
    std::string b;
};

// The IIR table as the window keeps it: a header row, then one row per
// coefficient index; the a cell of index 0 shows "  - - -" unless given.
CellStore IirTable(const std::vector<Row>& rows) {
    CellStore grid(3, static_cast<int>(rows.size()) + 1, 1, 1);
    grid.SetCell(1, 0, "a");
    grid.SetCell(2, 0, "b");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        grid.SetCell(0, r, std::to_string(i));
        grid.SetCell(1, r, i == 0 && rows[i].a.empty() ? "  - - -" : rows[i].a);
        grid.SetCell(2, r, rows[i].b);
    }
    return grid;
}

class IirFilter : public ::testing::Test {
protected:
    SimulatorState state;
    ScriptedDialogs dialogs;

    // The filter shows plain boxes and no other kind.
    void TearDown() override {
        for (const std::string& box : dialogs.shown)
            EXPECT_EQ(box.rfind("message: ", 0), 0U) << box;
    }

    void Read(const std::vector<Row>& rows) {
        state.IirOrder = static_cast<int>(rows.size());
        ReadIIRCoefficients(state, IirTable(rows), dialogs);
    }

    std::vector<double> Steps(const std::vector<double>& inputs) {
        std::vector<double> outputs;
        for (double x : inputs)
            outputs.push_back(IIRStep(state, x));
        return outputs;
    }
};

// --- Reading the table ------------------------------------------------------

using IirRead = IirFilter;

TEST_F(IirRead, ReadsEveryRowAndClearsItsDelayEntries) {
    state.InputDelay.fill(9);
    state.OutputDelay.fill(9);
    Read({{"", "0.5"}, {"0.25", "2"}, {"-1", "3e2"}});
    EXPECT_EQ(state.IirBCoefficients[0], 0.5);
    EXPECT_EQ(state.IirACoefficients[1], 0.25);
    EXPECT_EQ(state.IirBCoefficients[1], 2);
    EXPECT_EQ(state.IirACoefficients[2], -1);
    EXPECT_EQ(state.IirBCoefficients[2], 300);
    EXPECT_EQ(state.InputDelay[1], 0);
    EXPECT_EQ(state.OutputDelay[2], 0);
    EXPECT_EQ(state.InputDelay[3], 9);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(state.LoadError);
}

TEST_F(IirRead, AnyTextInTheACellOfIndexZeroIsIgnored) {
    state.IirACoefficients[0] = 42;
    Read({{"  - - -", "1"}});
    Read({{"abc", "1"}});
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(state.LoadError);
    EXPECT_EQ(state.IirACoefficients[0], 42);
}

TEST_F(IirRead, BadACellSkipsTheRestOfItsRowAndTheReadGoesOn) {
    state.IirBCoefficients[1] = 11;
    state.InputDelay.fill(9);
    state.OutputDelay.fill(9);
    Read({{"", "1"}, {"x", "2"}, {"0.5", "3"}});
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"message: Error in data for IIR Filter. Row 1"});
    EXPECT_TRUE(state.LoadError);
    EXPECT_EQ(state.IirBCoefficients[1], 11);
    EXPECT_EQ(state.InputDelay[1], 9);
    EXPECT_EQ(state.OutputDelay[1], 9);
    EXPECT_EQ(state.IirACoefficients[2], 0.5);
    EXPECT_EQ(state.IirBCoefficients[2], 3);
    EXPECT_EQ(state.InputDelay[2], 0);
}

TEST_F(IirRead, BadBCellKeepsTheAValueAlreadyRead) {
    state.IirBCoefficients[1] = 11;
    Read({{"", "1"}, {"0.75", "b"}});
    EXPECT_EQ(state.IirACoefficients[1], 0.75);
    EXPECT_EQ(state.IirBCoefficients[1], 11);
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"message: Error in data for IIR Filter. Row 1"});
}

TEST_F(IirRead, BadB0IsReportedAsRowZeroAndTheOtherRowsAreRead) {
    state.IirBCoefficients[0] = 11;
    Read({{"", "one"}, {"0.5", "2"}});
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"message: Error in data for IIR Filter. Row 0"});
    EXPECT_EQ(state.IirBCoefficients[0], 11);
    EXPECT_EQ(state.IirBCoefficients[1], 2);
    EXPECT_TRUE(state.LoadError);
}

TEST_F(IirRead, EveryBadRowHasItsOwnMessageInRowOrder) {
    Read({{"", ""}, {"1", "1"}, {"?", "1"}, {"1", "1"}, {"1", " "}});
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{"message: Error in data for IIR Filter. Row 0",
                                        "message: Error in data for IIR Filter. Row 2",
                                        "message: Error in data for IIR Filter. Row 4"}));
}

TEST_F(IirRead, LoadErrorIsNeverCleared) {
    state.LoadError = true;
    Read({{"", "1"}});
    EXPECT_TRUE(state.LoadError);
}

TEST_F(IirRead, OverflowEndsTheWholeReadWithoutARowMessage) {
    state.IirBCoefficients[2] = 11;
    try {
        Read({{"", "1"}, {"1e400", "2"}, {"0.5", "3"}});
        FAIL() << "no error";
    } catch (const FloatOverflowError& error) {
        EXPECT_STREQ(error.what(), "Floating point overflow");
    }
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(state.LoadError);
    EXPECT_EQ(state.IirBCoefficients[0], 1);
    EXPECT_EQ(state.IirBCoefficients[2], 11);
}

// The table keeps IirOrder within the 103 rows the arrays hold; an order
// beyond that reads only those rows.
TEST_F(IirRead, OrderBeyondTheArraysReadsOnlyTheRowsTheyHold) {
    std::vector<Row> rows(103, Row{"0", "1"});
    rows.resize(110, Row{"bad", "bad"});
    Read(rows);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(state.IirBCoefficients[102], 1);
    state.IirOrder = 110;
    state.InputDelay[103] = 7;
    state.InputDelay[104] = 5;
    IIRStep(state, 1);
    EXPECT_EQ(state.InputDelay[103], 0);
    EXPECT_EQ(state.InputDelay[104], 5);
}

// --- Filtering -------------------------------------------------------------

using IirStep = IirFilter;

TEST_F(IirStep, StartTablePassesTheInputThrough) {
    Read({{"  - - -", "1"}});
    EXPECT_EQ(Steps({5, -2047, 2047, 0}), (std::vector<double>{5, -2047, 2047, 0}));
}

TEST_F(IirStep, TwoPointAverage) {
    Read({{"", "0.5"}, {"0", "0.5"}});
    EXPECT_EQ(Steps({100, 300, -50}), (std::vector<double>{50, 200, 125}));
}

TEST_F(IirStep, RunningSumFeedsTheOutputBackWithAPlusSign) {
    Read({{"", "1"}, {"1", "0"}});
    EXPECT_EQ(Steps({1, 2, 3, 4}), (std::vector<double>{1, 3, 6, 10}));
}

TEST_F(IirStep, SecondOrderImpulseResponseHalvesEachStep) {
    Read({{"", "1"}, {"0.5", "0"}, {"0", "0"}});
    EXPECT_EQ(Steps({1, 0, 0, 0}), (std::vector<double>{1, 0.5, 0.25, 0.125}));
}

TEST_F(IirStep, SecondOrderUsesTheOlderDelayEntries) {
    Read({{"", "1"}, {"0", "10"}, {"0.5", "100"}});
    EXPECT_EQ(Steps({1, 0, 0}), (std::vector<double>{1, 10, 100.5}));
    EXPECT_EQ(state.InputDelay[1], 0);
    EXPECT_EQ(state.InputDelay[3], 1);
    EXPECT_EQ(state.OutputDelay[3], 1);
    EXPECT_EQ(state.OutputDelay[1], 100.5);
}

TEST_F(IirStep, FirstOrderShiftsNoDelayEntry) {
    Read({{"", "1"}, {"0", "1"}});
    state.InputDelay[2] = 99;
    state.OutputDelay[2] = 99;
    Steps({1, 2, 3});
    EXPECT_EQ(state.InputDelay[2], 99);
    EXPECT_EQ(state.OutputDelay[2], 99);
}

// Rounded once for N = 2, after every addition for N >= 3, b term before a
// term from the oldest entry to the newest, with a 64-bit significand. Plain
// double arithmetic and the other orders or rounding points each give
// another last bit in these cases.
TEST_F(IirStep, FirstOrderSumIsRoundedToDoubleOnce) {
    Read({{"", "0.60"}, {"0.47", "0.28"}});
    EXPECT_EQ(Steps({1516, -329, -223}).back(), 81.738239999999976);
}

TEST_F(IirStep, HigherOrderSumIsRoundedAfterEveryAddition) {
    Read({{"", "0.76"}, {"0.68", "0.08"}, {"0.97", "0.14"}});
    EXPECT_EQ(Steps({-39, 1334, -957}).back(), 18.773263999999955);
}

TEST_F(IirStep, UnstableFilterGrowsWithoutBound) {
    Read({{"", "1"}, {"1.5", "0"}});
    EXPECT_EQ(Steps({1, 0, 0, 0}), (std::vector<double>{1, 1.5, 2.25, 3.375}));
}

} // namespace
} // namespace signova
