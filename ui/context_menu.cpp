#include "ui/context_menu.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

ContextMenu::ContextMenu(QWidget* target, QMenu* menu)
    : QObject(target), target_(target), menu_(menu) {}

QMenu* ContextMenu::Attach(QWidget* target, const QString& menuName) {
    auto* menu = new QMenu(target);
    menu->setObjectName(menuName);
    auto* opener = new ContextMenu(target, menu);
    target->installEventFilter(opener);
    // A table or other scroll area gets the mouse's events on its viewport.
    if (auto* view = qobject_cast<QAbstractScrollArea*>(target))
        view->viewport()->installEventFilter(opener);
    return menu;
}

QPoint ContextMenu::KeyboardMenuPosition() const {
    if (auto* view = qobject_cast<QAbstractItemView*>(target_)) {
        const QRect cell = view->visualRect(view->currentIndex());
        if (cell.isValid() && view->viewport()->rect().contains(cell.center()))
            return view->viewport()->mapToGlobal(cell.center());
        return view->viewport()->mapToGlobal(QPoint(0, 0));
    }
    return target_->mapToGlobal(target_->rect().center());
}

bool ContextMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        menu_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched == target_) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)
            menu_->popup(KeyboardMenuPosition());
    }
    return QObject::eventFilter(watched, event);
}
