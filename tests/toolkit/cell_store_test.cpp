#include "toolkit/cell_store.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace signova {
namespace {

TEST(CellStore, NeverWrittenCellReadsEmpty) {
    CellStore grid(2, 200, 1, 0);
    EXPECT_EQ(grid.Cell(1, 0), "");
    EXPECT_EQ(grid.Cell(1, 5000), "");
    EXPECT_EQ(grid.Cell(7, 0), "");
    EXPECT_EQ(grid.Cell(-1, -1), "");
}

TEST(CellStore, CellsBeyondTheRowCountKeepTheirText) {
    CellStore grid(3, 2, 1, 1);
    grid.SetCell(1, 5, "0.5");
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cell(1, 5), "0.5");
    grid.SetCell(2, 1, "1");
    grid.SetRowCount(1);
    EXPECT_EQ(grid.Cell(2, 1), "1");
    grid.SetRowCount(6);
    EXPECT_EQ(grid.Cell(2, 1), "1");
    EXPECT_EQ(grid.Cell(1, 5), "0.5");
}

TEST(CellStore, RowCountOfZeroOrLessBecomesOne) {
    CellStore grid(2, 200, 1, 0);
    grid.SetRowCount(0);
    EXPECT_EQ(grid.RowCount(), 1);
    grid.SetRowCount(-4);
    EXPECT_EQ(grid.RowCount(), 1);
    grid.SetRowCount(301);
    EXPECT_EQ(grid.RowCount(), 301);
}

TEST(CellStore, WritingEmptyTextClearsTheCell) {
    CellStore grid(2, 3, 1, 0);
    grid.SetCell(1, 1, "abc");
    grid.SetCell(1, 1, "");
    EXPECT_EQ(grid.Cell(1, 1), "");
}

class RecordingObserver : public CellStoreObserver {
public:
    void CellChanged(int column, int row) override { cells.emplace_back(column, row); }
    void LayoutChanged() override { ++layouts; }
    std::vector<std::pair<int, int>> cells;
    int layouts = 0;
};

TEST(CellStore, TellsItsViewAboutRealChangesOnly) {
    CellStore grid(3, 2, 1, 1);
    RecordingObserver observer;
    grid.SetObserver(&observer);
    grid.SetCell(2, 1, "1");
    grid.SetCell(2, 1, "1");
    grid.SetCell(1, 9, "");
    grid.SetRowCount(2);
    grid.SetRowCount(3);
    grid.SetFixedRows(1);
    grid.SetFixedRows(0);
    EXPECT_EQ(observer.cells, (std::vector<std::pair<int, int>>{{2, 1}}));
    EXPECT_EQ(observer.layouts, 2);
}

} // namespace
} // namespace signova
