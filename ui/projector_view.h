#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class ChartWidget;
class QAction;
class QMenu;
class QWidget;

// The view for a room with a projector: the traces, markers and chart text of
// the scope and the view windows 1, 2 or 3 times as thick and large. "Large
// traces" on the scope's and the views' menus switches between 1 and 2; the
// zoom keys (Ctrl++ and Ctrl+Shift+=, Ctrl+-) step through 1 to 3 in every
// window that has them. The main window's controls stay as they are, and
// nothing of it is kept between starts.
class ProjectorView : public QObject {
    Q_OBJECT
public:
    static constexpr int LargestScale = 3;

    explicit ProjectorView(QObject* parent = nullptr) : QObject(parent) {}

    void AddChart(ChartWidget& chart);
    // The zoom keys as actions of `window`, for whichever of its widgets has the focus.
    void AddZoomKeys(QWidget& window);
    // "Large traces", checked while the scale is above 1.
    void AddMenuEntry(QMenu& menu);

    int Scale() const { return scale_; }
    void SetScale(int scale);
    void ZoomIn() { SetScale(scale_ + 1); }
    void ZoomOut() { SetScale(scale_ - 1); }

private:
    int scale_ = 1;
    std::vector<QPointer<ChartWidget>> charts_;
    std::vector<QPointer<QAction>> largeTraces_;
};
