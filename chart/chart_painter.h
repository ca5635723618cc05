#pragma once

#include "chart/canvas.h"
#include "chart/chart_layout.h"

#include <vector>

namespace signova {

class TChart;
class TFastLineSeries;
class TPointSeries;
class TBarSeries;

// Paints a chart onto a canvas. The picture depends only on the chart, the
// panel size and the canvas' text metrics. It comes in two layers so a
// caller can keep the frame (panel, bevel, title, back wall, grid, axes,
// ticks, labels) and repaint only the series over it. The painter keeps its
// point and rectangle buffers between paints: once warmed up it allocates
// nothing.
class ChartPainter {
public:
    void Paint(const TChart& chart, int width, int height, Canvas& canvas);
    void PaintFrame(const TChart& chart, const ChartLayout& layout, Canvas& canvas);
    // Every active series in list order, clipped to the plot area.
    void PaintSeries(const TChart& chart, const ChartLayout& layout, Canvas& canvas);

    // Bar width in pixels for `pointCount` bars on an axis `axisLength`
    // pixels long: (length div (count + 1)) * percent / 100 rounded, an odd
    // result made even; never below 1, so many bars still show.
    static int BarWidth(int axisLength, std::size_t pointCount, int percent);

    // Lines and markers of the series drawn `scale` times as thick and large
    // (1, the chart's own sizes, unless set): a projector's view.
    void SetTraceScale(int scale) { traceScale_ = scale < 1 ? 1 : scale; }
    int TraceScale() const { return traceScale_; }

private:
    void PaintFastLine(const TFastLineSeries& series, const ChartLayout& layout, Canvas& canvas);
    void PaintPoints(const TPointSeries& series, const ChartLayout& layout, Canvas& canvas);
    void PaintBars(const TBarSeries& series, const ChartLayout& layout, Canvas& canvas);
    void FlushRects(Canvas& canvas, Rgb fill, bool outline, Rgb outlineColor);

    std::vector<CanvasPoint> points_;
    std::vector<CanvasRect> rects_;
    int traceScale_ = 1;
};

} // namespace signova
