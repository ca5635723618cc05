#include "analysis/table_read.h"
#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"

#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace signova {
namespace {

enum class Table { Fir, Iir };

struct ReadCase {
    const char* name;
    Table table;
    std::vector<std::string> column1; // FIR values from row 0; IIR a from row 1
    std::vector<std::string> column2; // IIR b from row 1
    std::int32_t iirOrder;
    std::vector<double> b;
    std::vector<double> a;
    std::vector<std::string> errors;
};

CellStore Grid(const ReadCase& c) {
    const bool fir = c.table == Table::Fir;
    CellStore grid = fir ? NewFirGrid() : NewIirGrid();
    const int firstRow = fir ? 0 : 1;
    for (std::size_t i = 0; i < c.column1.size(); ++i)
        grid.SetCell(1, firstRow + static_cast<int>(i), c.column1[i]);
    for (std::size_t i = 0; i < c.column2.size(); ++i)
        grid.SetCell(2, firstRow + static_cast<int>(i), c.column2[i]);
    return grid;
}

// A state with both filters read from their start-up tables and delay lines
// full of samples, as after a run.
SimulatorState FilterInUse(std::int32_t iirOrder) {
    SimulatorState state;
    CellStore fir = NewFirGrid();
    SetDefaultFirTable(fir, state);
    ReadFIRCoefficients(state, fir);
    CellStore iir = NewIirGrid();
    SetDefaultIirTable(iir, state);
    testing::ScriptedDialogs dialogs;
    ReadIIRCoefficients(state, iir, dialogs);
    for (std::size_t k = 0; k < state.InputDelay.size(); ++k) {
        state.InputDelay[k] = static_cast<double>(k) + 0.5;
        state.OutputDelay[k] = -static_cast<double>(k);
    }
    state.IirOrder = iirOrder;
    return state;
}

using StateBytes = std::array<unsigned char, sizeof(SimulatorState)>;

StateBytes BytesOf(const SimulatorState& state) {
    StateBytes bytes;
    std::memcpy(bytes.data(), static_cast<const void*>(&state), sizeof state);
    return bytes;
}

class TableReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TableReads, GiveTheRunsCoefficientsOrErrorsAndLeaveTheFilterAlone) {
    const ReadCase& c = GetParam();
    const CellStore grid = Grid(c);
    const SimulatorState state = FilterInUse(c.iirOrder);
    const StateBytes before = BytesOf(state);

    const TableRead read =
        c.table == Table::Fir ? ReadFirTable(grid) : ReadIirTable(grid, state.IirOrder);

    EXPECT_EQ(BytesOf(state), before);
    EXPECT_EQ(read.errors, c.errors);
    if (c.errors.empty()) {
        EXPECT_EQ(read.coefficients.b, c.b);
        EXPECT_EQ(read.coefficients.a, c.a);
    }
}

const std::vector<std::string> ThreeHundredOneOnes(301, "1");

INSTANTIATE_TEST_SUITE_P(
    Tables, TableReads,
    ::testing::Values(
        ReadCase{"FirDownToTheFirstEmptyCell",
                 Table::Fir,
                 {"0.5", " -0.25 ", "", "7"},
                 {},
                 1,
                 {0.5, -0.25},
                 {},
                 {}},
        ReadCase{"FirAtMostThreeHundredValues",
                 Table::Fir,
                 ThreeHundredOneOnes,
                 {},
                 1,
                 std::vector<double>(300, 1.0),
                 {},
                 {}},
        ReadCase{"FirEmptyFirstCell", Table::Fir, {"", "1"}, {}, 1, {}, {}, {}},
        ReadCase{"FirCellNotANumber",
                 Table::Fir,
                 {"1", "abc", "2"},
                 {},
                 1,
                 {},
                 {},
                 {"'abc' is not a valid floating point value"}},
        ReadCase{"FirCellOfSpaces",
                 Table::Fir,
                 {"  "},
                 {},
                 1,
                 {},
                 {},
                 {"'  ' is not a valid floating point value"}},
        ReadCase{
            "FirValueTooLarge", Table::Fir, {"1e400"}, {}, 1, {}, {}, {"Floating point overflow"}},
        ReadCase{"IirAZeroNeverRead",
                 Table::Iir,
                 {"  - - -", "0.5", "-0.25"},
                 {"1", "2", "3"},
                 3,
                 {1, 2, 3},
                 {0, 0.5, -0.25},
                 {}},
        ReadCase{"IirRowsAsTheOrderSays",
                 Table::Iir,
                 {"  - - -", "0.5", "-0.25"},
                 {"1", "2", "3"},
                 2,
                 {1, 2},
                 {0, 0.5},
                 {}},
        ReadCase{
            "IirOrderBelowOneReadsOneRow", Table::Iir, {"x", "0.5"}, {"4", "2"}, 0, {4}, {0}, {}},
        ReadCase{"IirEveryBadRowInOrder",
                 Table::Iir,
                 {"x", "0.5", "q", "1", "0"},
                 {"?", "1", "2", "3", "b"},
                 5,
                 {},
                 {},
                 {"Error in data for IIR Filter. Row 0", "Error in data for IIR Filter. Row 2",
                  "Error in data for IIR Filter. Row 4"}},
        ReadCase{"IirValueTooLargeEndsTheRead",
                 Table::Iir,
                 {"", "0.5", "q"},
                 {"1", "1e400", "2"},
                 3,
                 {},
                 {},
                 {"Floating point overflow"}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

} // namespace
} // namespace signova
