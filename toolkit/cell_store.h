#pragma once

#include <string>
#include <vector>

namespace signova {

// Told when a cell store changes, so that a view can redraw.
class CellStoreObserver {
public:
    virtual ~CellStoreObserver() = default;
    virtual void CellChanged(int column, int row) = 0;
    virtual void LayoutChanged() = 0; // row count or fixed rows/columns
};

// The text of a string grid, cell by cell. A cell keeps its text whatever the
// row count: a never-written cell reads empty, rows cut off by a smaller row
// count keep their text and show it again when the count grows.
class CellStore {
public:
    CellStore(int columnCount, int rowCount, int fixedColumns, int fixedRows);

    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, std::string text);

    // Empties every cell from row `firstRow` on, so that a row count grown
    // later shows nothing of what those rows held.
    void ClearFromRow(int firstRow);

    int ColumnCount() const { return columnCount_; }
    int RowCount() const { return rowCount_; }
    // A row count of 0 or less becomes 1.
    void SetRowCount(int rowCount);

    int FixedColumns() const { return fixedColumns_; }
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int fixedRows);

    void SetObserver(CellStoreObserver* observer) { observer_ = observer; }

private:
    int columnCount_;
    int rowCount_;
    int fixedColumns_;
    int fixedRows_;
    std::vector<std::vector<std::string>> columns_;
    CellStoreObserver* observer_ = nullptr;
};

} // namespace signova
