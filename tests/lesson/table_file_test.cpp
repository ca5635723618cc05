#include "coefficients/coefficient_file.h"
#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "coefficients/table_file.h"
#include "toolkit/virtual_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace signova {
namespace {

// Dialogs for a Load that must ask nothing.
class SilentDialogs : public Dialogs {
public:
    void ShowMessage(const std::string& text) override { ADD_FAILURE() << text; }
    DialogResult Confirm(const std::string& text) override {
        ADD_FAILURE() << text;
        return DialogResult::No;
    }
    DialogResult AskInformation(const std::string& text) override { return Confirm(text); }
    void Inform(const std::string& text) override { ADD_FAILURE() << text; }
    void ShowError(const std::string& text) override { ADD_FAILURE() << text; }
    std::optional<std::string> ChooseFile() override { return std::nullopt; }
};

TEST(TableFile, FirFileHoldsTheValuesTheFilterReadsAndLoadsBackTheSameCells) {
    CellStore grid = NewFirGrid();
    SimulatorState state;
    SetDefaultFirTable(grid, state);
    grid.SetCell(1, 1, " -1.5e-3 ");
    grid.SetCell(1, 3, "");
    const std::string text = FirTableFileText(grid, " Smoother");
    EXPECT_EQ(text, "//SIGNOVA\n//TYPE FIR\n//TITLE Smoother\n0.0208333333333333\n -1.5e-3 \n"
                    "0.0208333333333333\n");
    LineBuffer lines;
    lines.SetText(text);
    CellStore loaded = NewFirGrid();
    SilentDialogs dialogs;
    ASSERT_TRUE(LoadFIRTable(state, loaded, lines, dialogs).accepted);
    EXPECT_EQ(state.FileTitle, " Smoother");
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(loaded.Cell(1, row), grid.Cell(1, row)) << row;
}

TEST(TableFile, IirFileHoldsEveryRowInTwoHalvesAndLoadsBackTheSameCells) {
    CellStore grid = NewIirGrid();
    SimulatorState state;
    SetDefaultIirTable(grid, state);
    IirGridKeyDown(grid, state, VirtualKeyInsert, true);
    grid.SetCell(1, 2, "0.9");
    grid.SetCell(2, 1, "0.1");
    const std::string text = IirTableFileText(grid, "");
    EXPECT_EQ(text, "//SIGNOVA\n//TYPE IIR\n0\n0.9\n0.1\n0\n");
    LineBuffer lines;
    lines.SetText(text);
    CellStore loaded = NewIirGrid();
    SetDefaultIirTable(loaded, state);
    SilentDialogs dialogs;
    ASSERT_TRUE(LoadIIRTable(state, loaded, lines, dialogs).accepted);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(loaded.Cell(column, row), grid.Cell(column, row)) << column << row;
}

struct RefusedTable {
    const char* name;
    bool iir;
    int column;
    int row;
    std::string text;
    std::string message;
};

class TableFileRefusal : public ::testing::TestWithParam<RefusedTable> {};

TEST_P(TableFileRefusal, NamesTheCellAndTheReason) {
    const RefusedTable& table = GetParam();
    SimulatorState state;
    CellStore grid = table.iir ? NewIirGrid() : NewFirGrid();
    if (table.iir) {
        SetDefaultIirTable(grid, state);
        for (int i = 0; i < 3; ++i)
            IirGridKeyDown(grid, state, VirtualKeyInsert, true);
    } else {
        SetDefaultFirTable(grid, state);
    }
    grid.SetCell(table.column, table.row, table.text);
    try {
        (void)(table.iir ? IirTableFileText(grid, "") : FirTableFileText(grid, ""));
        ADD_FAILURE() << "saved";
    } catch (const TableSaveRefused& refused) {
        EXPECT_EQ(refused.Text(), "Cannot save the table: " + table.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, TableFileRefusal,
    ::testing::Values(
        RefusedTable{"NotANumber", false, 1, 5, "abc", "h5 holds 'abc', which is not a number"},
        RefusedTable{"Comment", false, 1, 0, "1 //x",
                     "h0 holds \"//\", which a coefficient file reads as a comment"},
        RefusedTable{"Comma", false, 1, 2, "0,5",
                     "h2 holds \",\", which a coefficient file reads as a decimal point"},
        RefusedTable{"TooLarge", false, 1, 7, "1e999",
                     "h7 holds '1e999', which is not a number"},
        RefusedTable{"EmptyB", true, 2, 3, "", "b2 is empty"},
        RefusedTable{"BadA", true, 1, 4, "x", "a3 holds 'x', which is not a number"},
        RefusedTable{"LongText", false, 1, 1, std::string(50, 'x'),
                     "h1 holds '" + std::string(40, 'x') + "...', which is not a number"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableFile, MoreThanAFileHoldsIsRefused) {
    SimulatorState state;
    CellStore iir = NewIirGrid();
    SetDefaultIirTable(iir, state);
    for (int i = 0; i < 100; ++i)
        IirGridKeyDown(iir, state, VirtualKeyInsert, true);
    EXPECT_THROW(
        {
            try {
                (void)IirTableFileText(iir, "");
            } catch (const TableSaveRefused& refused) {
                EXPECT_EQ(refused.Text(),
                          "Cannot save the table: it has 101 rows; a coefficient file holds at "
                          "most 100");
                throw;
            }
        },
        TableSaveRefused);
    CellStore fir = NewFirGrid();
    fir.SetRowCount(300);
    for (int row = 0; row < 301; ++row)
        fir.SetCell(1, row, "1");
    EXPECT_THROW((void)FirTableFileText(fir, ""), TableSaveRefused);
    EXPECT_THROW((void)FirTableFileText(fir, "a\nb"), TableSaveRefused);
}

} // namespace
} // namespace signova
