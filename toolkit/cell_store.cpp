#include "toolkit/cell_store.h"

#include <algorithm>

namespace signova {

CellStore::CellStore(int columnCount, int rowCount, int fixedColumns, int fixedRows)
    : columnCount_(std::max(columnCount, 1)), rowCount_(std::max(rowCount, 1)),
      fixedColumns_(fixedColumns), fixedRows_(fixedRows),
      columns_(static_cast<std::size_t>(columnCount_)) {}

const std::string& CellStore::Cell(int column, int row) const {
    static const std::string empty;
    if (column < 0 || column >= columnCount_ || row < 0)
        return empty;
    const auto& cells = columns_[static_cast<std::size_t>(column)];
    if (static_cast<std::size_t>(row) >= cells.size())
        return empty;
    return cells[static_cast<std::size_t>(row)];
}

void CellStore::SetCell(int column, int row, std::string text) {
    if (column < 0 || column >= columnCount_ || row < 0)
        return;
    auto& cells = columns_[static_cast<std::size_t>(column)];
    if (static_cast<std::size_t>(row) >= cells.size()) {
        if (text.empty())
            return;
        cells.resize(static_cast<std::size_t>(row) + 1);
    }
    if (cells[static_cast<std::size_t>(row)] == text)
        return;
    cells[static_cast<std::size_t>(row)] = std::move(text);
    if (observer_ != nullptr)
        observer_->CellChanged(column, row);
}

void CellStore::ClearFromRow(int firstRow) {
    firstRow = std::max(firstRow, 0);
    for (int column = 0; column < columnCount_; ++column) {
        const auto stored = static_cast<int>(columns_[static_cast<std::size_t>(column)].size());
        for (int row = firstRow; row < stored; ++row)
            SetCell(column, row, std::string());
    }
}

void CellStore::SetRowCount(int rowCount) {
    rowCount = std::max(rowCount, 1);
    if (rowCount == rowCount_)
        return;
    rowCount_ = rowCount;
    if (observer_ != nullptr)
        observer_->LayoutChanged();
}

void CellStore::SetFixedRows(int fixedRows) {
    if (fixedRows == fixedRows_)
        return;
    fixedRows_ = fixedRows;
    if (observer_ != nullptr)
        observer_->LayoutChanged();
}

} // namespace signova
