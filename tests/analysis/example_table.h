#pragma once

#include "analysis/table_read.h"
#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"

#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <string>

namespace signova {

// An example file through its Load path into a table, and the table read back.
inline FilterCoefficients Example(const std::string& file) {
    LineBuffer lines;
    lines.ReadFile(std::string(SIGNOVA_EXAMPLES_DIR) + "/" + file);
    testing::ScriptedDialogs dialogs;
    SimulatorState state;
    const bool fir = file.starts_with("fir_");
    CellStore grid = fir ? NewFirGrid() : NewIirGrid();
    EXPECT_TRUE(fir ? LoadFIRTable(state, grid, lines, dialogs).accepted
                    : LoadIIRTable(state, grid, lines, dialogs).accepted);
    const TableRead read = fir ? ReadFirTable(grid) : ReadIirTable(grid, state.IirOrder);
    EXPECT_TRUE(read.Ok()) << file;
    return read.coefficients;
}

} // namespace signova
