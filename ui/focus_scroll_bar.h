#pragma once

#include <QScrollBar>

// A scroll bar that shows when it has the keyboard focus: the style draws
// no focus mark on scroll bars, so a keyboard user would not see where the
// arrow keys go.
class FocusScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit FocusScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
