#include "coefficients/fir_table.h"
#include "engine/fir_filter.h"
#include "toolkit/errors.h"

#include "tests/support/test_files.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace signova {
namespace {

using Calls = std::vector<std::string>;
using testing::ScriptedDialogs;

const char* const DefaultTap = "0.0208333333333333";

class FirTable : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultFirTable(grid_, state_); }

    TableLoad Load(const std::string& file, std::deque<DialogResult> answers = {}) {
        LineBuffer lines = ReadDataFile(file);
        ScriptedDialogs dialogs(std::move(answers));
        const TableLoad result = LoadFIRTable(state_, grid_, lines, dialogs);
        calls_ = dialogs.shown;
        return result;
    }

    // A load as the Load button does it: the filter reads an accepted table.
    TableLoad LoadAndRead(const std::string& file, std::deque<DialogResult> answers = {}) {
        const TableLoad result = Load(file, std::move(answers));
        if (result.accepted)
            ReadFIRCoefficients(state_, grid_);
        return result;
    }

    // Column 1 of rows first..last.
    std::vector<std::string> Values(int first, int last) const {
        std::vector<std::string> values;
        for (int row = first; row <= last; ++row)
            values.push_back(grid_.Cell(1, row));
        return values;
    }

    CellStore grid_ = NewFirGrid();
    SimulatorState state_;
    Calls calls_;
};

TEST_F(FirTable, StartsAsAFortyEightTapMovingAverage) {
    const CellStore fresh = NewFirGrid();
    EXPECT_EQ(fresh.ColumnCount(), 2);
    EXPECT_EQ(fresh.FixedColumns(), 1);
    EXPECT_EQ(fresh.FixedRows(), 0);
    EXPECT_EQ(grid_.RowCount(), 200);
    EXPECT_EQ(state_.FirLastTap, 47);
    for (int row = 0; row < 48; ++row) {
        EXPECT_EQ(grid_.Cell(0, row), std::string("h").append(std::to_string(row)));
        EXPECT_EQ(grid_.Cell(1, row), DefaultTap);
    }
    EXPECT_EQ(grid_.Cell(0, 48), "");
    EXPECT_EQ(grid_.Cell(1, 48), "");
}

TEST_F(FirTable, FourTapExampleFillsFourRows) {
    const TableLoad result = Load("four_tap_moving_average.txt");
    EXPECT_EQ(calls_, Calls{});
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.label, " Moving average, four taps");
    EXPECT_EQ(grid_.RowCount(), 4);
    EXPECT_EQ(grid_.Cell(0, 3), "h3");
    EXPECT_EQ(Values(0, 5),
              (std::vector<std::string>{"0.25", "0.25", "0.25   ", "0.25", "", DefaultTap}));
    EXPECT_FALSE(state_.LoadError);
}

TEST_F(FirTable, ThreeHundredValuesAreAllCopied) {
    const TableLoad result = Load("fir_300_values.txt");
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(calls_, Calls{});
    EXPECT_EQ(grid_.RowCount(), 300);
    EXPECT_EQ(grid_.Cell(0, 299), "h299");
    EXPECT_EQ(grid_.Cell(1, 0), "1");
    EXPECT_EQ(grid_.Cell(1, 299), "300");
    EXPECT_EQ(grid_.Cell(1, 300), ""); // just past the table's end
}

TEST_F(FirTable, ThreeHundredAndOneValuesAreRefusedBeforeTheTableChanges) {
    const TableLoad result = Load("fir_301_values.txt");
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(calls_, (Calls{"message: Number of FIR elements must be less then 300"}));
    EXPECT_EQ(grid_.RowCount(), 200);
    EXPECT_EQ(grid_.Cell(1, 0), DefaultTap);
    EXPECT_EQ(grid_.Cell(1, 48), "");
    EXPECT_FALSE(state_.LoadError);
    EXPECT_EQ(state_.FirLastTap, 47);
}

TEST_F(FirTable, RefusedFileChangesNothing) {
    const TableLoad result = Load("type_iir.txt", {DialogResult::No});
    EXPECT_FALSE(result.accepted);
    EXPECT_TRUE(state_.LoadError);
    EXPECT_EQ(calls_, (Calls{"ask: This is no FIR-file. Continue?", "inform: Data not loaded"}));
    EXPECT_EQ(grid_.RowCount(), 200);
    EXPECT_EQ(grid_.Cell(1, 0), DefaultTap);
}

TEST_F(FirTable, LoadClearsAnEarlierLoadError) {
    state_.LoadError = true;
    EXPECT_TRUE(Load("four_tap_moving_average.txt").accepted);
    EXPECT_FALSE(state_.LoadError);
}

TEST_F(FirTable, FileOfOnlyTagsLeavesOneRowWithAnEmptyValue) {
    grid_.SetCell(0, 0, "old label");
    const TableLoad result = Load("only_tags.txt");
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.label, " Only tags");
    EXPECT_EQ(grid_.RowCount(), 1);
    EXPECT_EQ(grid_.Cell(1, 0), "");
    EXPECT_EQ(grid_.Cell(0, 0), "old label");
    EXPECT_EQ(grid_.Cell(1, 1), DefaultTap);
}

TEST_F(FirTable, EmptyFileAcceptedAtTheHeaderLeavesOneEmptyRow) {
    const TableLoad result = Load("empty.txt", {DialogResult::Yes});
    EXPECT_EQ(calls_, (Calls{"confirm: This is no standard SIGNOVA file. Continue?"}));
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.label, "");
    EXPECT_EQ(grid_.RowCount(), 1);
    EXPECT_EQ(grid_.Cell(1, 0), "");
}

TEST_F(FirTable, CopyStopsAtAnEmptyFifthLine) {
    EXPECT_TRUE(Load("empty_fifth_line.txt").accepted);
    EXPECT_EQ(grid_.RowCount(), 7);
    // Rows after the empty line keep their old text below the empty cell.
    EXPECT_EQ(Values(0, 6),
              (std::vector<std::string>{"1", "2", "3", "4", "", DefaultTap, DefaultTap}));
}

TEST_F(FirTable, TenValuesAfterAHundredEndWithAnEmptyCell) {
    ASSERT_TRUE(Load("fir_100_values.txt").accepted);
    ASSERT_TRUE(Load("fir_10_values.txt").accepted);
    EXPECT_EQ(grid_.RowCount(), 10);
    EXPECT_EQ(grid_.Cell(1, 9), "10");
    EXPECT_EQ(grid_.Cell(1, 10), "");
    EXPECT_EQ(grid_.Cell(1, 11), "0.012"); // left beyond the table's end
}

TEST_F(FirTable, DecimalCommaArrivesAsAPoint) {
    ASSERT_TRUE(Load("decimal_commas.txt").accepted);
    EXPECT_EQ(grid_.Cell(1, 0), "0.5");
    EXPECT_EQ(grid_.Cell(1, 2), "1.234,5");
}

TEST_F(FirTable, FileWithoutTitleShowsAnEmptyLabel) {
    ASSERT_EQ(Load("four_tap_moving_average.txt").label, " Moving average, four taps");
    const TableLoad result = Load("no_title.txt");
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.label, "");
}

TEST_F(FirTable, LineEndsDoNotMatter) {
    for (const char* file : {"cr_line_ends.txt", "lf_line_ends.txt", "crlf_line_ends.txt"}) {
        ASSERT_TRUE(Load(file).accepted) << file;
        EXPECT_EQ(grid_.RowCount(), 3) << file;
        EXPECT_EQ(Values(0, 3), (std::vector<std::string>{"0.5", "0.25 ", "0.125", ""})) << file;
    }
}

struct LastTapCase {
    const char* name;
    const char* file;
    std::int32_t lastTap;
};

class FirTableLastTap : public FirTable, public ::testing::WithParamInterface<LastTapCase> {};

TEST_P(FirTableLastTap, FilterReadsUpToTheEmptyCellAfterTheLoad) {
    LoadAndRead(GetParam().file, {DialogResult::Yes});
    EXPECT_EQ(state_.FirLastTap, GetParam().lastTap);
}

INSTANTIATE_TEST_SUITE_P(
    FirTable, FirTableLastTap,
    ::testing::Values(LastTapCase{"FourTaps", "four_tap_moving_average.txt", 3},
                      LastTapCase{"ThreeHundred", "fir_300_values.txt", 299},
                      LastTapCase{"RefusedThreeHundredAndOneKeepsTheOld", "fir_301_values.txt", 47},
                      LastTapCase{"OnlyTags", "only_tags.txt", -1},
                      LastTapCase{"EmptyFile", "empty.txt", -1},
                      LastTapCase{"EmptyFifthLine", "empty_fifth_line.txt", 3}),
    [](const ::testing::TestParamInfo<LastTapCase>& info) { return info.param.name; });

TEST_F(FirTable, TenValuesAfterAHundredFilterWithTenTaps) {
    ASSERT_TRUE(LoadAndRead("fir_100_values.txt").accepted);
    EXPECT_EQ(state_.FirLastTap, 99);
    ASSERT_TRUE(LoadAndRead("fir_10_values.txt").accepted);
    EXPECT_EQ(state_.FirLastTap, 9);
    EXPECT_EQ(state_.FirCoefficients[9], 10.0);
}

TEST_F(FirTable, FourTapExampleAveragesFourInputs) {
    ASSERT_TRUE(LoadAndRead("four_tap_moving_average.txt").accepted);
    EXPECT_EQ(FIRStep(state_, 400), 100);
    EXPECT_EQ(FIRStep(state_, 400), 200);
    EXPECT_EQ(FIRStep(state_, 400), 300);
    EXPECT_EQ(FIRStep(state_, 400), 400);
    EXPECT_EQ(FIRStep(state_, 0), 300);
}

// The values "Show FIR" plots: rows 0 to FirLastTap, each cell converted, an
// empty cell an error like any other text that is not a number.
struct PlotValuesCase {
    const char* name;
    std::vector<std::string> cells; // column 1 from row 0
    int lastTap;
    std::vector<std::pair<int, double>> taken;
    const char* error; // nullptr: no error
};

class FirTableValues : public ::testing::TestWithParam<PlotValuesCase> {};

TEST_P(FirTableValues, HandsOverRowsUpToTheLastTapInOrder) {
    const PlotValuesCase& c = GetParam();
    CellStore grid = NewFirGrid();
    for (std::size_t row = 0; row < c.cells.size(); ++row)
        grid.SetCell(1, static_cast<int>(row), c.cells[row]);
    SimulatorState state;
    state.FirLastTap = c.lastTap;
    state.FirCoefficients[0] = 7.0;
    std::vector<std::pair<int, double>> taken;
    const auto take = [&taken](int row, double value) { taken.emplace_back(row, value); };
    if (c.error == nullptr) {
        ForEachFIRTableValue(state, grid, take);
    } else {
        try {
            ForEachFIRTableValue(state, grid, take);
            ADD_FAILURE() << "no error";
        } catch (const ConversionError& error) {
            EXPECT_STREQ(error.what(), c.error);
        }
    }
    EXPECT_EQ(taken, c.taken);
    EXPECT_EQ(state.FirCoefficients[0], 7.0);
    EXPECT_EQ(state.FirLastTap, c.lastTap);
}

INSTANTIATE_TEST_SUITE_P(
    FirTable, FirTableValues,
    ::testing::Values(
        PlotValuesCase{"RowsBeyondTheLastTapAreNotRead",
                       {"1", "-0.5", "2.5E-3", "9"},
                       2,
                       {{0, 1.0}, {1, -0.5}, {2, 0.0025}},
                       nullptr},
        PlotValuesCase{"NoTapsNoValues", {"1"}, -1, {}, nullptr},
        PlotValuesCase{"EmptyCellBeforeTheLastTapIsAnError",
                       {"0.25", "", "3"},
                       2,
                       {{0, 0.25}},
                       "'' is not a valid floating point value"},
        PlotValuesCase{
            "TextIsAnError", {"abc"}, 0, {}, "'abc' is not a valid floating point value"}),
    [](const ::testing::TestParamInfo<PlotValuesCase>& info) { return info.param.name; });

} // namespace
} // namespace signova
