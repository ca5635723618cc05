#include "ui/grid_view.h"

#include "toolkit/virtual_keys.h"
#include "ui/cell_store_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace {

// Editors report their keys to the grid as well.
class WatchedEditorDelegate : public QStyledItemDelegate {
public:
    WatchedEditorDelegate(QObject* watcher, QObject* parent)
        : QStyledItemDelegate(parent), watcher_(watcher) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor != nullptr)
            editor->installEventFilter(watcher_);
        return editor;
    }

private:
    QObject* watcher_;
};

} // namespace

GridView::GridView(signova::CellStore& store, QWidget* parent)
    : QTableView(parent), model_(new CellStoreModel(store, this)) {
    setModel(model_);
    setItemDelegate(new WatchedEditorDelegate(this, this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    installEventFilter(this);
    viewport()->installEventFilter(this);
}

void GridView::SetKeyDownHandler(std::function<void(int, bool)> handler) {
    keyDown_ = std::move(handler);
}

void GridView::SetMouseDownHandler(std::function<void()> handler) {
    mouseDown_ = std::move(handler);
}

int GridView::VirtualKeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Delete:
        return signova::VirtualKeyDelete;
    case Qt::Key_Insert:
        return signova::VirtualKeyInsert;
    case Qt::Key_Shift:
        return signova::VirtualKeyShift;
    case Qt::Key_Control:
        return signova::VirtualKeyControl;
    case Qt::Key_Alt:
        return signova::VirtualKeyAlt;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return signova::VirtualKeyReturn;
    case Qt::Key_Escape:
        return signova::VirtualKeyEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return signova::VirtualKeyTab;
    default:
        if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) ||
            (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
            return qtKey;
        return signova::VirtualKeyNone;
    }
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && keyDown_) {
        auto* key = static_cast<QKeyEvent*>(event);
        // A key typed into an editor that the editor does not take travels on
        // to the view: hear it once, at the editor.
        const QWidget* focus = QApplication::focusWidget();
        const bool fromEditor = watched != this && watched != viewport();
        const bool passedOnByEditor =
            watched == this && focus != nullptr && viewport()->isAncestorOf(focus);
        const bool shift = key->modifiers().testFlag(Qt::ShiftModifier);
        // A Shift key lets the handler read and fill the cells: the text typed
        // so far must be the cell's text by then, or a cell still empty in the
        // table would be filled and the typing replaced. The model stays quiet
        // meanwhile, so that the editor keeps its cursor and selection.
        if (fromEditor && shift) {
            const QSignalBlocker quiet(model_);
            commitData(static_cast<QWidget*>(watched));
        }
        if (fromEditor || (watched == this && !passedOnByEditor))
            keyDown_(VirtualKeyCode(key->key()), shift);
    } else if (event->type() == QEvent::MouseButtonPress && watched == viewport() && mouseDown_) {
        mouseDown_();
    }
    return QTableView::eventFilter(watched, event);
}
