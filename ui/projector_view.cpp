#include "ui/projector_view.h"

#include "ui/chart_widget.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace {

// The standard zoom keys, and the ways Ctrl++ arrives from a keyboard whose
// "+" is Shift+"=": these go to the window before the IIR table, whose rule
// that every key with Shift runs its key handler yields here.
QList<QKeySequence> ZoomInKeys() {
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::ZoomIn);
    for (QKeySequence key :
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus),
          QKeySequence(Qt::CTRL | Qt::Key_Equal)})
        if (!keys.contains(key))
            keys << key;
    return keys;
}

QList<QKeySequence> ZoomOutKeys() {
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::ZoomOut);
    const QKeySequence minus(Qt::CTRL | Qt::Key_Minus);
    if (!keys.contains(minus))
        keys << minus;
    return keys;
}

} // namespace

void ProjectorView::AddChart(ChartWidget& chart) {
    charts_.emplace_back(&chart);
    chart.SetTraceScale(scale_);
}

void ProjectorView::AddZoomKeys(QWidget& window) {
    auto* zoomIn = new QAction(QStringLiteral("Larger traces"), &window);
    zoomIn->setShortcuts(ZoomInKeys());
    zoomIn->setShortcutContext(Qt::WindowShortcut);
    connect(zoomIn, &QAction::triggered, this, [this] { ZoomIn(); });
    auto* zoomOut = new QAction(QStringLiteral("Smaller traces"), &window);
    zoomOut->setShortcuts(ZoomOutKeys());
    zoomOut->setShortcutContext(Qt::WindowShortcut);
    connect(zoomOut, &QAction::triggered, this, [this] { ZoomOut(); });
    window.addAction(zoomIn);
    window.addAction(zoomOut);
}

void ProjectorView::AddMenuEntry(QMenu& menu) {
    QAction* action = menu.addAction(QStringLiteral("Large traces"));
    action->setCheckable(true);
    action->setChecked(scale_ > 1);
    action->setToolTip(
        QStringLiteral("Traces, markers and chart text twice as thick and large, for a projector; "
                       "Ctrl++ and Ctrl+- step from 1 to 3 times"));
    menu.setToolTipsVisible(true);
    connect(action, &QAction::triggered, this, [this](bool on) { SetScale(on ? 2 : 1); });
    largeTraces_.emplace_back(action);
}

void ProjectorView::SetScale(int scale) {
    scale_ = std::clamp(scale, 1, LargestScale);
    for (const QPointer<ChartWidget>& chart : charts_)
        if (chart)
            chart->SetTraceScale(scale_);
    for (const QPointer<QAction>& action : largeTraces_)
        if (action)
            action->setChecked(scale_ > 1);
}
