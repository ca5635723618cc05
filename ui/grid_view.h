#pragma once

#include "toolkit/cell_store.h"

#include <QTableView>

#include <functional>

class CellStoreModel;

// A string grid: a table view over a cell store, with the key-down and
// mouse-down events of the grid, also while a cell is being edited.
// The grid is one stop of the Tab chain: Tab and Shift+Tab leave it, the
// arrow, page and Home/End keys move inside it, and its current cell is never
// a fixed one.
class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(signova::CellStore& store, QWidget* parent = nullptr);

    CellStoreModel& Model() { return *model_; }
    // Key code as the toolkit numbers keys (Delete 46, Insert 45, Shift 16).
    void SetKeyDownHandler(std::function<void(int key, bool shift)> handler);
    void SetMouseDownHandler(std::function<void()> handler);
    // Lets the user drag the line at a column's right edge to resize it.
    void SetColumnsResizable(bool resizable);
    // Scrolls back to the first row and column.
    void ShowFirstRow();
    // Ends an open cell editor, keeping its text in the cell or dropping it.
    void CommitEdit();
    void CancelEdit();

    static int VirtualKeyCode(int qtKey);

    using QTableView::edit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    bool HandleColumnResize(QEvent* event);
    int ColumnEdgeAt(int x) const;

    CellStoreModel* model_;
    std::function<void(int, bool)> keyDown_;
    std::function<void()> mouseDown_;
    bool columnsResizable_ = false;
    int resizingColumn_ = -1;
    int resizeGrip_ = 0; // pointer x minus the column's width when the drag began
};
