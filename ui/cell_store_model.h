#pragma once

#include "toolkit/cell_store.h"

#include <QAbstractTableModel>

#include <functional>
#include <string>

// Shows a cell store in a Qt view. Fixed rows and columns are shown greyed
// and can be neither selected nor edited. A cell's tooltip holds its text,
// also where the column shows only part of it (as far as a message box
// would show it).
class CellStoreModel : public QAbstractTableModel, private signova::CellStoreObserver {
    Q_OBJECT
public:
    explicit CellStoreModel(signova::CellStore& store, QObject* parent = nullptr);
    ~CellStoreModel() override;

    // Asked before a non-fixed cell may be selected.
    void SetCanSelect(std::function<bool(int column, int row)> canSelect);
    int FixedColumns() const { return store_.FixedColumns(); }
    int FixedRows() const { return store_.FixedRows(); }
    // The whole text of the cell at `index`, as the store keeps it.
    const std::string& Cell(const QModelIndex& index) const {
        return store_.Cell(index.column(), index.row());
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void CellChanged(int column, int row) override;
    void LayoutChanged() override;
    bool IsFixed(int column, int row) const;

    signova::CellStore& store_;
    int shownRows_;
    std::function<bool(int, int)> canSelect_;
};
