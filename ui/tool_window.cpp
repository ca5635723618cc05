#include "ui/tool_window.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace {

// Positions tried when the tool window fits neither beside nor below: a grid
// this fine over the screen, and its far edges.
constexpr int SearchStep = 16;

long long CoveredArea(const QRect& window, const std::vector<QRect>& controls) {
    long long area = 0;
    for (const QRect& control : controls) {
        const QRect covered = window.intersected(control);
        if (!covered.isEmpty())
            area += static_cast<long long>(covered.width()) * covered.height();
    }
    return area;
}

// Start positions along one side of the screen: every SearchStep from `first`
// and the last one that still fits.
std::vector<int> Starts(int first, int last) {
    std::vector<int> starts;
    for (int start = first; start < last; start += SearchStep)
        starts.push_back(start);
    starts.push_back(std::max(first, last));
    return starts;
}

QPoint LeastCovering(const QRect& mainFrame, QSize toolFrame, const QRect& available,
                     const std::vector<QRect>& controls) {
    const QPoint besideMain(mainFrame.right() + 1, mainFrame.top());
    QPoint best;
    long long bestArea = -1;
    long long bestDistance = 0;
    for (int y : Starts(available.top(), available.bottom() + 1 - toolFrame.height())) {
        for (int x : Starts(available.left(), available.right() + 1 - toolFrame.width())) {
            const QPoint place(x, y);
            const long long area = CoveredArea(QRect(place, toolFrame), controls);
            const QPoint offset = place - besideMain;
            const long long distance = static_cast<long long>(offset.x()) * offset.x() +
                                       static_cast<long long>(offset.y()) * offset.y();
            if (bestArea < 0 || area < bestArea || (area == bestArea && distance < bestDistance)) {
                best = place;
                bestArea = area;
                bestDistance = distance;
            }
        }
    }
    return best;
}

// Closes the tool window when the main window is hidden for good (closed, not
// minimised).
class CloseWithMain : public QObject {
public:
    CloseWithMain(QWidget& tool, QWidget& main) : QObject(&tool), tool_(tool) {
        main.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !static_cast<QWidget*>(watched)->isVisible())
            tool_.close();
        return false;
    }

private:
    QWidget& tool_;
};

} // namespace

QPoint ToolWindowPosition(const QRect& mainFrame, QSize toolFrame, const QRect& available,
                          const std::vector<QRect>& controls) {
    const int highestTop = available.bottom() + 1 - toolFrame.height();
    const int leftmostLeft = available.right() + 1 - toolFrame.width();
    const bool fitsHigh = toolFrame.height() <= available.height();
    const bool fitsWide = toolFrame.width() <= available.width();
    if (fitsHigh && mainFrame.right() + 1 + toolFrame.width() <= available.right() + 1)
        return {mainFrame.right() + 1, std::clamp(mainFrame.top(), available.top(), highestTop)};
    if (fitsWide && mainFrame.bottom() + 1 + toolFrame.height() <= available.bottom() + 1)
        return {std::clamp(mainFrame.left(), available.left(), leftmostLeft),
                mainFrame.bottom() + 1};
    return LeastCovering(mainFrame, toolFrame, available, controls);
}

void MakeToolWindow(QWidget& tool, QWidget& main) {
    tool.setParent(&main, Qt::Tool);
    new CloseWithMain(tool, main);
    const QScreen* screen = main.screen();
    if (screen == nullptr)
        return;
    // The tool window's frame is not known before it is shown: take the main
    // window's.
    const QSize frameMargins = main.frameGeometry().size() - main.geometry().size();
    std::vector<QRect> controls;
    for (const QWidget* control : main.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isVisible() && !control->isWindow())
            controls.push_back(QRect(control->mapToGlobal(QPoint(0, 0)), control->size()));
    }
    tool.move(ToolWindowPosition(main.frameGeometry(), tool.size() + frameMargins,
                                 screen->availableGeometry(), controls));
}
