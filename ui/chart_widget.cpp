#include "ui/chart_widget.h"

#include <QEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QPointer>

ChartWidget::ChartWidget(signova::TChart& chart, QWidget* parent)
    : QWidget(parent), chart_(chart) {
    // Every pixel is painted: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    repaintTimer_.setSingleShot(true);
    connect(&repaintTimer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    chart_.SetInvalidateHandler([widget = QPointer<ChartWidget>(this)] {
        if (widget)
            widget->ScheduleRepaint();
    });
}

void ChartWidget::ScheduleRepaint() {
    // A run completes sweeps far faster than any screen shows them: paint at
    // most once per frame interval, always the latest sweep.
    if (repaintTimer_.isActive())
        return;
    const std::chrono::milliseconds wait = repaintPacing_.WaitBeforeRepaint();
    if (wait.count() == 0)
        update();
    else
        repaintTimer_.start(wait);
}

bool ChartWidget::FrameUpToDate(const signova::ChartLayout& layout, qreal ratio) const {
    return frameValid_ && frameRatio_ == ratio && frameVersion_ == chart_.ConfigVersion() &&
           frameLayout_ == layout;
}

void ChartWidget::BuildFrame(const signova::ChartLayout& layout, qreal ratio) {
    const QSize pixels(qRound(layout.width * ratio), qRound(layout.height * ratio));
    if (frame_.size() != pixels)
        frame_ = QPixmap(pixels);
    frame_.setDevicePixelRatio(ratio);
    QPainter painter(&frame_);
    painter.setFont(font());
    canvas_.Attach(&painter);
    painter_.PaintFrame(chart_, layout, canvas_);
    canvas_.Attach(nullptr);
    frameLayout_ = layout;
    frameRatio_ = ratio;
    frameVersion_ = chart_.ConfigVersion();
    frameValid_ = true;
    ++frameBuilds_;
}

void ChartWidget::PaintTo(QPainter& painter) {
    chart_.MarkPainted();
    const signova::ChartLayout layout =
        signova::ComputeChartLayout(chart_, width(), height(), FontTextMetrics(font()));
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (layout.width <= 0 || layout.height <= 0)
        return;
    if (!FrameUpToDate(layout, ratio))
        BuildFrame(layout, ratio);
    painter.drawPixmap(0, 0, frame_);
    painter.setFont(font());
    canvas_.Attach(&painter);
    for (signova::ChartLayer* layer : underLayers_)
        layer->Paint(layout, canvas_, painter_.TraceScale());
    painter_.PaintSeries(chart_, layout, canvas_);
    for (signova::ChartLayer* layer : overLayers_)
        layer->Paint(layout, canvas_, painter_.TraceScale());
    canvas_.Attach(nullptr);
}

void ChartWidget::paintEvent(QPaintEvent*) {
    repaintPacing_.Painted();
    QPainter painter(this);
    PaintTo(painter);
}

void ChartWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        frameValid_ = false;
    QWidget::changeEvent(event);
}

void ChartWidget::AddLayer(signova::ChartLayer& layer, bool under) {
    (under ? underLayers_ : overLayers_).push_back(&layer);
    chart_.RequestRepaint();
}

void ChartWidget::SetTraceScale(int scale) {
    if (!baseFontKept_) {
        baseFont_ = font();
        baseFontKept_ = true;
    }
    painter_.SetTraceScale(scale);
    QFont scaled = baseFont_;
    if (baseFont_.pixelSize() > 0)
        scaled.setPixelSize(baseFont_.pixelSize() * painter_.TraceScale());
    else
        scaled.setPointSizeF(baseFont_.pointSizeF() * painter_.TraceScale());
    setFont(scaled); // rebuilds the frame
    chart_.Changed(signova::ChartChange::Frame);
}

signova::ChartLayout ChartWidget::CurrentLayout() const {
    return signova::ComputeChartLayout(chart_, width(), height(), FontTextMetrics(font()));
}
