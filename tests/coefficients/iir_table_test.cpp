#include "coefficients/iir_table.h"
#include "engine/iir_filter.h"

#include "tests/support/test_files.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace signova {
namespace {

using Calls = std::vector<std::string>;
using testing::ScriptedDialogs;
using Row = std::vector<std::string>;

class IirTable : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultIirTable(grid_, state_); }

    TableLoad Load(const std::string& file, std::deque<DialogResult> answers = {}) {
        LineBuffer lines = ReadDataFile(file);
        ScriptedDialogs dialogs(std::move(answers));
        const TableLoad result = LoadIIRTable(state_, grid_, lines, dialogs);
        calls_ = dialogs.shown;
        return result;
    }

    Row RowText(int row) const {
        return {grid_.Cell(0, row), grid_.Cell(1, row), grid_.Cell(2, row)};
    }

    void Key(int virtualKey, bool shift = true) {
        IirGridKeyDown(grid_, state_, virtualKey, shift);
    }

    CellStore grid_ = NewIirGrid();
    SimulatorState state_;
    Calls calls_;
};

TEST_F(IirTable, StartsAsAPassThrough) {
    const CellStore fresh = NewIirGrid();
    EXPECT_EQ(fresh.ColumnCount(), 3);
    EXPECT_EQ(fresh.FixedColumns(), 1);
    EXPECT_EQ(fresh.FixedRows(), 1);
    EXPECT_EQ(grid_.RowCount(), 2);
    EXPECT_EQ(state_.IirOrder, 1);
    EXPECT_EQ(RowText(0), (Row{"", "a", "b"}));
    EXPECT_EQ(RowText(1), (Row{"0", "  - - -", "1"}));
}

TEST_F(IirTable, FirstOrderExampleFillsTwoRows) {
    const TableLoad result = Load("first_order_low_pass.txt");
    EXPECT_EQ(calls_, Calls{});
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.label, " First-order low-pass");
    EXPECT_EQ(state_.IirOrder, 2);
    EXPECT_EQ(grid_.RowCount(), 3);
    EXPECT_EQ(RowText(1), (Row{"0", "  - - -", "0.1"}));
    EXPECT_EQ(RowText(2), (Row{"1", "0.9", "0"}));
}

TEST_F(IirTable, TwoHundredLinesGiveAHundredRows) {
    EXPECT_TRUE(Load("iir_200_lines.txt").accepted);
    EXPECT_EQ(calls_, Calls{});
    EXPECT_EQ(state_.IirOrder, 100);
    EXPECT_EQ(grid_.RowCount(), 101);
    EXPECT_EQ(RowText(2), (Row{"1", "a1", "b1"}));
    EXPECT_EQ(RowText(100), (Row{"99", "a99", "b99"}));
}

TEST_F(IirTable, TwoHundredAndTwoLinesAreRefused) {
    const TableLoad result = Load("iir_202_lines.txt");
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(calls_, (Calls{"message: Number of IIR elements must be less then 100"}));
    EXPECT_EQ(state_.IirOrder, 1);
    EXPECT_EQ(grid_.RowCount(), 2);
    EXPECT_EQ(RowText(1), (Row{"0", "  - - -", "1"}));
    EXPECT_EQ(grid_.Cell(1, 2), "");
}

TEST_F(IirTable, OddLineCountIgnoresTheLastLine) {
    EXPECT_TRUE(Load("iir_7_lines.txt").accepted);
    EXPECT_EQ(state_.IirOrder, 3);
    EXPECT_EQ(grid_.RowCount(), 4);
    EXPECT_EQ(RowText(1), (Row{"0", "  - - -", "b0"}));
    EXPECT_EQ(RowText(2), (Row{"1", "a1", "b1"}));
    EXPECT_EQ(RowText(3), (Row{"2", "a2", "b2"}));
    EXPECT_EQ(RowText(4), (Row{"", "", ""}));
}

TEST_F(IirTable, RefusedFileRestoresTheOrder) {
    ASSERT_TRUE(Load("first_order_low_pass.txt").accepted);
    const TableLoad result = Load("type_fir.txt", {DialogResult::No});
    EXPECT_FALSE(result.accepted);
    EXPECT_TRUE(state_.LoadError);
    EXPECT_EQ(calls_, (Calls{"ask: This is no IIR-file. Continue?", "inform: Data not loaded"}));
    EXPECT_EQ(state_.IirOrder, 2);
    EXPECT_EQ(grid_.RowCount(), 3);
    EXPECT_EQ(RowText(2), (Row{"1", "0.9", "0"}));
}

TEST_F(IirTable, EmptyFileIsNotAProperIirFileAndRestoresTheOrder) {
    const TableLoad result = Load("empty.txt", {DialogResult::Yes});
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(calls_, (Calls{"confirm: This is no standard SIGNOVA file. Continue?",
                             "inform: This is not a proper IIR-file"}));
    EXPECT_TRUE(state_.LoadError);
    EXPECT_EQ(state_.IirOrder, 1);
    EXPECT_EQ(grid_.RowCount(), 2);
}

TEST_F(IirTable, AZeroLineThatIsNotANumberIsStillShownAsUnused) {
    EXPECT_TRUE(Load("iir_a0_not_a_number.txt").accepted);
    EXPECT_EQ(RowText(1), (Row{"0", "  - - -", "0.5"}));
    EXPECT_EQ(RowText(2), (Row{"1", "0.5", "0"}));
}

TEST_F(IirTable, FirstOrderExampleFiltersWithAddedFeedback) {
    ASSERT_TRUE(Load("first_order_low_pass.txt").accepted);
    ScriptedDialogs dialogs;
    ReadIIRCoefficients(state_, grid_, dialogs);
    EXPECT_EQ(dialogs.shown, Calls{});
    EXPECT_FALSE(state_.LoadError);
    EXPECT_DOUBLE_EQ(IIRStep(state_, 1000), 100);
    EXPECT_DOUBLE_EQ(IIRStep(state_, 0), 90);
    EXPECT_DOUBLE_EQ(IIRStep(state_, 0), 81);
}

TEST_F(IirTable, AZeroTextIsNeverReadByTheFilter) {
    ASSERT_TRUE(Load("iir_a0_not_a_number.txt").accepted);
    ScriptedDialogs dialogs;
    ReadIIRCoefficients(state_, grid_, dialogs);
    EXPECT_EQ(dialogs.shown, Calls{});
    EXPECT_FALSE(state_.LoadError);
}

TEST_F(IirTable, FileWithoutTitleShowsAnEmptyLabel) {
    ASSERT_EQ(Load("type_names_both_kinds.txt").label, " Either kind");
    const TableLoad result = Load("iir_a0_not_a_number.txt");
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.label, "");
}

// Row keys

TEST_F(IirTable, KeysWithoutShiftDoNothing) {
    grid_.SetCell(2, 1, "");
    Key(VirtualKeyDelete, false);
    Key(VirtualKeyInsert, false);
    EXPECT_EQ(grid_.RowCount(), 2);
    EXPECT_EQ(grid_.Cell(2, 1), "");
}

TEST_F(IirTable, ShiftDeleteNeverRemovesTheOnlyCoefficientRow) {
    grid_.SetFixedRows(0);
    Key(VirtualKeyDelete);
    EXPECT_EQ(grid_.RowCount(), 2);
    EXPECT_EQ(grid_.FixedRows(), 1);
    EXPECT_EQ(state_.IirOrder, 1);
}

TEST_F(IirTable, ShiftInsertAppendsARowOfZeros) {
    Key(VirtualKeyInsert);
    EXPECT_EQ(grid_.RowCount(), 3);
    EXPECT_EQ(state_.IirOrder, 2);
    EXPECT_EQ(RowText(2), (Row{"1", "0", "0"}));
}

TEST_F(IirTable, ShiftDeleteThenShiftInsertBringsTheOldTextBack) {
    ASSERT_TRUE(Load("iir_7_lines.txt").accepted);
    Key(VirtualKeyDelete);
    Key(VirtualKeyDelete);
    Key(VirtualKeyDelete); // already down to one row
    EXPECT_EQ(grid_.RowCount(), 2);
    EXPECT_EQ(state_.IirOrder, 1);
    Key(VirtualKeyInsert);
    Key(VirtualKeyInsert);
    EXPECT_EQ(grid_.RowCount(), 4);
    EXPECT_EQ(state_.IirOrder, 3);
    EXPECT_EQ(RowText(2), (Row{"1", "a1", "b1"}));
    EXPECT_EQ(RowText(3), (Row{"2", "a2", "b2"}));
}

TEST_F(IirTable, ShiftAloneRenumbersAndFillsEmptyCells) {
    Key(VirtualKeyInsert);
    grid_.SetCell(2, 1, "");
    grid_.SetCell(1, 2, "");
    grid_.SetCell(0, 2, "x");
    Key(VirtualKeyShift);
    EXPECT_EQ(grid_.RowCount(), 3);
    EXPECT_EQ(RowText(1), (Row{"0", "  - - -", "0"}));
    EXPECT_EQ(RowText(2), (Row{"1", "0", "0"}));
}

TEST_F(IirTable, ShiftInsertStopsAtTheLargestOrder) {
    for (int press = 0; press < 150; ++press)
        Key(VirtualKeyInsert);
    EXPECT_EQ(state_.IirOrder, 103);
    EXPECT_EQ(grid_.RowCount(), 104);
    EXPECT_EQ(RowText(103), (Row{"102", "0", "0"}));
    EXPECT_EQ(grid_.Cell(0, 104), "");
    Key(VirtualKeyDelete);
    EXPECT_EQ(state_.IirOrder, 102);
}

struct SelectCase {
    int column;
    int row;
    bool selectable;
};

class IirTableSelection : public ::testing::TestWithParam<SelectCase> {};

TEST_P(IirTableSelection, HeaderRowAndIndexColumnCannotBeSelected) {
    EXPECT_EQ(IirGridCanSelect(GetParam().column, GetParam().row), GetParam().selectable);
}

INSTANTIATE_TEST_SUITE_P(IirTable, IirTableSelection,
                         ::testing::Values(SelectCase{0, 0, false}, SelectCase{1, 0, false},
                                           SelectCase{2, 0, false}, SelectCase{0, 1, false},
                                           SelectCase{0, 7, false}, SelectCase{1, 1, true},
                                           SelectCase{2, 1, true}, SelectCase{2, 9, true}));

} // namespace
} // namespace signova
