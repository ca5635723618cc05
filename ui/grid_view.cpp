#include "ui/grid_view.h"

#include "toolkit/cell_elision.h"
#include "toolkit/virtual_keys.h"
#include "ui/cell_store_model.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

namespace {

// How far from a column's right edge the pointer may be to grab it.
constexpr int EdgeGrip = 2;
constexpr int MinimumColumnWidth = 8;

bool IsSelectable(const QModelIndex& index) {
    return index.isValid() && index.flags().testFlag(Qt::ItemIsSelectable);
}

// The grid asks the model before any cell becomes current, whether by
// keyboard, mouse or program: a fixed cell never does.
class SelectableCurrentCell : public QItemSelectionModel {
public:
    using QItemSelectionModel::QItemSelectionModel;

    void setCurrentIndex(const QModelIndex& index,
                         QItemSelectionModel::SelectionFlags command) override {
        if (index.isValid() && !IsSelectable(index))
            return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }
};

// Draws a cell as the style does, but a number that its column would cut
// before the exponent shows the whole exponent (ElidedCellText). Every other
// text is cut where the cell ends, without a mark.
class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(const CellStoreModel& model, QObject* parent)
        : QStyledItemDelegate(parent), model_(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
        const QFontMetricsF metrics(cell.font);
        const signova::TextWidth width = [&metrics](std::string_view text) {
            const QString shown =
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
            return static_cast<int>(std::ceil(metrics.horizontalAdvance(shown)));
        };
        if (auto elided =
                signova::ElidedCellText(model_.Cell(index), width, AvailableWidth(*style, cell)))
            cell.text = QString::fromUtf8(*elided);
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
    }

private:
    // The width the style lays the text out in: its text rectangle less the
    // margin it keeps on either side.
    static int AvailableWidth(const QStyle& style, const QStyleOptionViewItem& cell) {
        const QRect text = style.subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget);
        const int margin =
            style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
        return text.width() - 2 * margin;
    }

    const CellStoreModel& model_;
};

} // namespace

GridView::GridView(signova::CellStore& store, QWidget* parent)
    : QTableView(parent), model_(new CellStoreModel(store, this)) {
    setModel(model_);
    setItemDelegate(new CellDelegate(*model_, this));
    QItemSelectionModel* defaultSelection = selectionModel();
    setSelectionModel(new SelectableCurrentCell(model_, this));
    delete defaultSelection;
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setTabKeyNavigation(false);
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

void GridView::SetColumnsResizable(bool resizable) {
    columnsResizable_ = resizable;
    viewport()->setMouseTracking(resizable);
}

void GridView::ShowFirstRow() {
    scrollToTop();
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
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

QModelIndex GridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableView::moveCursor(cursorAction, modifiers);
    if (!next.isValid() || IsSelectable(next))
        return next;
    // A move into the fixed row or column stops at the first cell beside it.
    const QModelIndex beside = model_->index(std::max(next.row(), model_->FixedRows()),
                                             std::max(next.column(), model_->FixedColumns()));
    return IsSelectable(beside) ? beside : currentIndex();
}

bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!QTableView::edit(index, trigger, event))
        return false;
    // Hear the editor's keys before its delegate does, which takes Tab.
    if (QWidget* editor = indexWidget(index)) {
        editor->removeEventFilter(this);
        editor->installEventFilter(this);
    }
    return true;
}

void GridView::CommitEdit() {
    if (QWidget* editor = indexWidget(currentIndex()); editor && state() == EditingState) {
        commitData(editor);
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void GridView::CancelEdit() {
    if (QWidget* editor = indexWidget(currentIndex()); editor && state() == EditingState)
        QTableView::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Tab in an editor keeps its text and leaves the grid, as Tab does
    // outside the editor.
    const bool tab = hint == QAbstractItemDelegate::EditNextItem;
    const bool backTab = hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, tab || backTab ? QAbstractItemDelegate::NoHint : hint);
    if (tab || backTab)
        focusNextPrevChild(tab);
}

int GridView::ColumnEdgeAt(int x) const {
    for (int column = 0; column < model_->columnCount(); ++column) {
        const int edge = columnViewportPosition(column) + columnWidth(column);
        if (std::abs(x - edge) <= EdgeGrip)
            return column;
    }
    return -1;
}

bool GridView::HandleColumnResize(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int x = mouse->position().toPoint().x();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton || (resizingColumn_ = ColumnEdgeAt(x)) < 0)
            return false;
        resizeGrip_ = x - columnWidth(resizingColumn_);
        return true;
    case QEvent::MouseMove:
        if (resizingColumn_ >= 0) {
            setColumnWidth(resizingColumn_, std::max(MinimumColumnWidth, x - resizeGrip_));
            return true;
        }
        if (ColumnEdgeAt(x) >= 0)
            viewport()->setCursor(Qt::SplitHCursor);
        else
            viewport()->unsetCursor();
        return false;
    case QEvent::MouseButtonRelease:
        if (resizingColumn_ < 0)
            return false;
        resizingColumn_ = -1;
        return true;
    default:
        return false;
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
    if (columnsResizable_ && watched == viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
         event->type() == QEvent::MouseButtonRelease) &&
        HandleColumnResize(event))
        return true;
    return QTableView::eventFilter(watched, event);
}
