#include "design/designed_table.h"

#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "tests/support/scripted_dialogs.h"
#include "toolkit/line_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace signova;

namespace {

DesignRequest Request(DesignMethod method, int size) {
    DesignRequest request;
    request.method = method;
    request.taps = size;
    request.order = size;
    return request;
}

// The design's coefficients as a coefficient file of its type.
LineBuffer FileOf(const DesignedFilter& design) {
    std::vector<std::string> lines = {"//SIGNOVA",
                                      design.kind == FilterKind::Fir ? "//TYPE FIR" : "//TYPE IIR",
                                      "//TITLE " + design.title};
    if (design.kind == FilterKind::Iir)
        lines.insert(lines.end(), design.aTexts.begin(), design.aTexts.end());
    lines.insert(lines.end(), design.bTexts.begin(), design.bTexts.end());
    return LineBuffer(lines);
}

std::vector<std::string> Cells(const CellStore& grid) {
    std::vector<std::string> cells = {std::to_string(grid.RowCount())};
    for (int row = 0; row < FirGridRows + 10; ++row)
        for (int column = 0; column < grid.ColumnCount(); ++column)
            cells.push_back(grid.Cell(column, row));
    return cells;
}

} // namespace

// A design lands in a table that held a longer one (the start-up tables, and
// a 300-tap FIR before a short one) exactly as Load puts a file of the same
// coefficients there: the same cells, rows and IIR order, and the filter then
// reads the design's own values, nothing of the older table.
TEST(DesignedTable, WritesTheTableAsLoadWritesAFileOfTheSameCoefficients) {
    for (const auto& [first, second] : std::vector<std::pair<DesignRequest, DesignRequest>>{
             {Request(DesignMethod::Window, 300), Request(DesignMethod::Window, 31)},
             {Request(DesignMethod::Equiripple, 41), Request(DesignMethod::Window, 63)},
             {Request(DesignMethod::Butterworth, 10), Request(DesignMethod::Butterworth, 2)},
             {Request(DesignMethod::Elliptic, 3), Request(DesignMethod::ChebyshevI, 6)}}) {
        const DesignedFilter before = DesignFilter(first);
        const DesignedFilter design = DesignFilter(second);
        ASSERT_TRUE(before.Ok() && design.Ok()) << before.error << design.error;
        const bool fir = design.kind == FilterKind::Fir;
        SimulatorState written;
        SimulatorState loaded;
        CellStore writtenGrid = fir ? NewFirGrid() : NewIirGrid();
        CellStore loadedGrid = fir ? NewFirGrid() : NewIirGrid();
        signova::testing::ScriptedDialogs dialogs;
        if (fir) {
            SetDefaultFirTable(writtenGrid, written);
            SetDefaultFirTable(loadedGrid, loaded);
        } else {
            SetDefaultIirTable(writtenGrid, written);
            SetDefaultIirTable(loadedGrid, loaded);
        }
        WriteDesignedTable(before, written, writtenGrid);
        WriteDesignedTable(design, written, writtenGrid);
        LineBuffer longer = FileOf(before);
        LineBuffer file = FileOf(design);
        if (fir) {
            ASSERT_TRUE(LoadFIRTable(loaded, loadedGrid, longer, dialogs).accepted);
            ASSERT_TRUE(LoadFIRTable(loaded, loadedGrid, file, dialogs).accepted);
        } else {
            ASSERT_TRUE(LoadIIRTable(loaded, loadedGrid, longer, dialogs).accepted);
            ASSERT_TRUE(LoadIIRTable(loaded, loadedGrid, file, dialogs).accepted);
        }
        EXPECT_EQ(Cells(writtenGrid), Cells(loadedGrid)) << design.title;
        EXPECT_EQ(dialogs.shown, std::vector<std::string>{});

        if (fir) {
            ReadFIRCoefficients(written, writtenGrid);
            EXPECT_EQ(written.FirLastTap, second.taps - 1);
            for (int k = 0; k < second.taps; ++k)
                EXPECT_EQ(written.FirCoefficients[static_cast<std::size_t>(k)],
                          design.coefficients.b[static_cast<std::size_t>(k)]);
        } else {
            EXPECT_EQ(written.IirOrder, loaded.IirOrder);
            EXPECT_EQ(written.IirOrder, static_cast<int>(design.bTexts.size()));
            ReadIIRCoefficients(written, writtenGrid, dialogs);
            for (std::size_t k = 0; k < design.bTexts.size(); ++k) {
                EXPECT_EQ(written.IirBCoefficients[k], design.coefficients.b[k]);
                if (k > 0) {
                    EXPECT_EQ(written.IirACoefficients[k], design.coefficients.a[k]);
                }
            }
        }
    }
}
