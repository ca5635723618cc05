#pragma once

#include <QObject>

class QMenu;
class QWidget;

// Gives a widget a context menu that opens on a right click, the menu key or
// Shift+F10. The menu pops up and returns at once, without an event loop of
// its own, so that a run goes on while it is open. Shift+F10 still reaches
// the widget's own key handling afterwards.
class ContextMenu : public QObject {
    Q_OBJECT
public:
    // The menu of `target`, named `menuName`, for the caller to fill; it
    // lives as long as the target.
    static QMenu* Attach(QWidget* target, const QString& menuName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ContextMenu(QWidget* target, QMenu* menu);
    // Where a menu opened from the keyboard appears: at the current cell of a
    // table, else in the middle of the widget.
    QPoint KeyboardMenuPosition() const;

    QWidget* target_;
    QMenu* menu_;
};
