#pragma once

#include "toolkit/cell_store.h"

#include <QTableView>

#include <functional>

class CellStoreModel;

// A string grid: a table view over a cell store, with the key-down and
// mouse-down events of the grid, also while a cell is being edited.
class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(signova::CellStore& store, QWidget* parent = nullptr);

    CellStoreModel& Model() { return *model_; }
    // Key code as the toolkit numbers keys (Delete 46, Insert 45, Shift 16).
    void SetKeyDownHandler(std::function<void(int key, bool shift)> handler);
    void SetMouseDownHandler(std::function<void()> handler);

    static int VirtualKeyCode(int qtKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CellStoreModel* model_;
    std::function<void(int, bool)> keyDown_;
    std::function<void()> mouseDown_;
};
