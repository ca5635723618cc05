#include "analysis/table_read.h"
#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace signova {
namespace {

using namespace std::string_literals;

struct ReadCase {
    const char* name;
    bool fir;
    std::vector<std::string> column1; // FIR values from row 0; IIR a from row 1
    std::vector<std::string> column2; // IIR b from row 1
    std::int32_t iirOrder;
    std::vector<double> b;
    std::vector<double> a;
    std::vector<std::string> errors;
};

class TableReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TableReads, GiveWhatTheRunWouldReadAndLeaveTheFilterBitIdentical) {
    const ReadCase& c = GetParam();
    CellStore grid = c.fir ? NewFirGrid() : NewIirGrid();
    for (std::size_t i = 0; i < c.column1.size(); ++i) {
        const int row = static_cast<int>(i) + (c.fir ? 0 : 1);
        grid.SetCell(1, row, c.column1[i]);
        if (!c.fir)
            grid.SetCell(2, row, c.column2[i]);
    }
    SimulatorState state; // a filter in use: coefficients and delay lines hold values
    state.IirOrder = c.iirOrder;
    state.FirLastTap = 47;
    for (std::size_t k = 0; k < state.InputDelay.size(); ++k)
        state.InputDelay[k] = state.OutputDelay[k] = state.FirCoefficients[k % 300] = k + 0.5;
    unsigned char before[sizeof state];
    std::memcpy(before, static_cast<const void*>(&state), sizeof state);

    const TableRead read = c.fir ? ReadFirTable(grid) : ReadIirTable(grid, state.IirOrder);

    EXPECT_EQ(std::memcmp(before, static_cast<const void*>(&state), sizeof state), 0);
    EXPECT_EQ(read.errors, c.errors);
    if (c.errors.empty()) {
        EXPECT_EQ(read.coefficients.b, c.b);
        EXPECT_EQ(read.coefficients.a, c.a);
    }
}

using Texts = std::vector<std::string>;
using Values = std::vector<double>;

ReadCase Fir(const char* name, Texts cells, Values h, Texts errors = {}) {
    return {name, true, cells, {}, 1, h, {}, errors};
}

ReadCase Iir(const char* name, Texts a, Texts b, std::int32_t order, Values bValues, Values aValues,
             Texts errors = {}) {
    return {name, false, a, b, order, bValues, aValues, errors};
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableReads,
    ::testing::Values(
        Fir("FirDownToTheFirstEmptyCell", {"0.5", " -0.25 ", "", "7"}, {0.5, -0.25}),
        Fir("FirAtMostThreeHundredValues", Texts(301, "1"), Values(300, 1.0)),
        // The first bad cell ends the read, as it ends the run.
        Fir("FirOneMessageForTwoBadCells", {"1", "abc", "x"}, {},
            {"'abc' is not a valid floating point value"}),
        // The message quotes the cell whole, past a NUL byte.
        Fir("FirCellWithANulByte", {"0\0x"s}, {}, {"'0\0x' is not a valid floating point value"s}),
        Fir("FirValueTooLarge", {"1e400"}, {}, {"Floating point overflow"}),
        Iir("IirRowsAsTheOrderSaysAZeroNeverRead", {"  - - -", "0.5", "-0.25"}, {"1", "2", "3"}, 2,
            {1, 2}, {0, 0.5}),
        Iir("IirEveryBadRowInOrder", {"x", "0.5", "q", "1", "0"}, {"?", "1", "2", "3", "b"}, 5, {},
            {},
            {"Error in data for IIR Filter. Row 0", "Error in data for IIR Filter. Row 2",
             "Error in data for IIR Filter. Row 4"}),
        // A number too large for a double is no bad row: it ends the read.
        Iir("IirOverflowEndsTheRead", {"  - - -", "x", "1e400", "0"}, {"?", "1", "2", "3"}, 4, {},
            {},
            {"Error in data for IIR Filter. Row 0", "Error in data for IIR Filter. Row 1",
             "Floating point overflow"})),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

} // namespace
} // namespace signova
