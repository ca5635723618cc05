#pragma once

#include "chart/chart.h"
#include "chart/chart_layer.h"
#include "chart/chart_layout.h"
#include "chart/chart_painter.h"
#include "toolkit/repaint_pacing.h"
#include "ui/painter_canvas.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <utility>
#include <vector>

// Shows a TChart. A change of the chart only asks Qt for an update, so any
// number of changes between two paints give one paint. The frame (panel,
// bevel, title, grid, axes, labels) is kept in a pixmap at the device pixel
// ratio and rebuilt only when the size, the chart's configuration or its
// layout changes; a paint blits it and draws each series in one call.
// The chart must outlive the widget's painting; either may be destroyed first.
class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(signova::TChart& chart, QWidget* parent = nullptr);

    signova::TChart& Chart() const { return chart_; }

    // Paints the whole chart at the widget's size with `painter`, as a paint
    // event does (also into an image, for tests and benchmarks).
    void PaintTo(QPainter& painter);

    // Layers painted with the chart: `under` ones between the frame and the
    // series, the others over the series. The widget does not own them; a
    // layer asks for a repaint through the chart (TChart::RequestRepaint).
    void AddLayer(signova::ChartLayer& layer, bool under);
    // Series lines and markers `scale` times as thick (the projector view), and
    // the chart's text as large.
    void SetTraceScale(int scale);
    int TraceScale() const { return painter_.TraceScale(); }
    // The layout of the last paint at the widget's size: where chart units fall.
    signova::ChartLayout CurrentLayout() const;

    // How often the frame has been drawn anew.
    int FrameBuilds() const { return frameBuilds_; }

    // The clock the paint rate is capped by: the steady clock unless a test
    // sets its own.
    void SetClock(signova::RepaintPacing::Clock clock) {
        repaintPacing_ = signova::RepaintPacing(std::move(clock));
    }
    // A change came too soon after the last paint: its paint waits for the
    // end of the frame interval.
    bool RepaintDeferred() const { return repaintTimer_.isActive(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ScheduleRepaint();
    bool FrameUpToDate(const signova::ChartLayout& layout, qreal ratio) const;
    void BuildFrame(const signova::ChartLayout& layout, qreal ratio);

    signova::TChart& chart_;
    signova::ChartPainter painter_;
    PainterCanvas canvas_;
    QPixmap frame_;
    signova::ChartLayout frameLayout_;
    std::uint64_t frameVersion_ = 0;
    qreal frameRatio_ = 0.0;
    bool frameValid_ = false;
    int frameBuilds_ = 0;
    signova::RepaintPacing repaintPacing_;
    std::vector<signova::ChartLayer*> underLayers_;
    std::vector<signova::ChartLayer*> overLayers_;
    QFont baseFont_;
    bool baseFontKept_ = false;
    QTimer repaintTimer_;
};
