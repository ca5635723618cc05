#include "chart/chart_painter.h"

#include "chart/chart.h"
#include "chart/chart_bar_series.h"
#include "chart/chart_fast_line_series.h"
#include "chart/chart_point_series.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace signova {
namespace {

constexpr std::array<AxisPosition, 4> AllAxes{AxisPosition::Left, AxisPosition::Right,
                                              AxisPosition::Top, AxisPosition::Bottom};

struct IndexRange {
    std::size_t first = 0;
    std::size_t last = 0; // inclusive
    bool empty = true;
};

// Line and point series: from the first point not left of the range up to and
// including the first point at or beyond its right end.
IndexRange LineRange(const std::vector<double>& xs, const AxisScale& scale) {
    const auto first = std::lower_bound(xs.begin(), xs.end(), scale.minimum);
    if (first == xs.end())
        return {};
    auto last = std::lower_bound(first, xs.end(), scale.maximum);
    if (last == xs.end())
        --last;
    return {static_cast<std::size_t>(first - xs.begin()),
            static_cast<std::size_t>(last - xs.begin()), false};
}

// Bar series: only the points whose x lies within the range.
IndexRange BarRange(const std::vector<double>& xs, const AxisScale& scale) {
    const auto first = std::lower_bound(xs.begin(), xs.end(), scale.minimum);
    const auto end = std::upper_bound(first, xs.end(), scale.maximum);
    if (first == end)
        return {};
    return {static_cast<std::size_t>(first - xs.begin()),
            static_cast<std::size_t>(end - xs.begin()) - 1, false};
}

void PaintBevel(const TChart& chart, const ChartLayout& layout, Canvas& canvas) {
    if (chart.BevelOuter() == TBevelCut::None)
        return;
    // The desktop's button shadow and highlight, as a sunken or raised edge.
    const Rgb shadow = ColorToRgb(clBtnShadow);
    const Rgb highlight = ColorToRgb(clBtnHighlight);
    const bool lowered = chart.BevelOuter() == TBevelCut::Lowered;
    const Rgb topLeft = lowered ? shadow : highlight;
    const Rgb bottomRight = lowered ? highlight : shadow;
    const int w = layout.width;
    const int h = layout.height;
    for (int i = 0; i < chart.BevelWidth(); ++i) {
        canvas.FillRect({i, i, w - 2 * i, 1}, topLeft);
        canvas.FillRect({i, i, 1, h - 2 * i}, topLeft);
        canvas.FillRect({i, h - 1 - i, w - 2 * i, 1}, bottomRight);
        canvas.FillRect({w - 1 - i, i + 1, 1, h - 2 * i - 1}, bottomRight);
    }
}

void PaintTitle(const TChart& chart, const ChartLayout& layout, Canvas& canvas) {
    if (!chart.TitleVisible())
        return;
    const int edge =
        (chart.BevelOuter() == TBevelCut::None ? 0 : chart.BevelWidth()) + ChartPadding;
    const Rgb color = ColorToRgb(chart.TitleColor());
    int top = edge;
    for (const std::string& line : chart.TitleText()) {
        canvas.Text(layout.width / 2, top, line, color, TextAlign::Center);
        top += canvas.TextHeight();
    }
}

// Where the outer edge of an axis line lies, away from the plot area.
int OuterEdge(const TChartAxis& axis, const CanvasRect& plot) {
    const int extra = axis.AxisPen().Visible() ? axis.AxisPen().Width() - 1 : 0;
    switch (axis.Position()) {
    case AxisPosition::Left:
        return plot.left - extra;
    case AxisPosition::Right:
        return plot.Right() + extra;
    case AxisPosition::Top:
        return plot.top - extra;
    case AxisPosition::Bottom:
        break;
    }
    return plot.Bottom() + extra;
}

CanvasRect AxisLineRect(const TChartAxis& axis, const CanvasRect& plot) {
    const int width = axis.AxisPen().Width();
    switch (axis.Position()) {
    case AxisPosition::Left:
        return {plot.left - width + 1, plot.top, width, plot.height};
    case AxisPosition::Right:
        return {plot.Right(), plot.top, width, plot.height};
    case AxisPosition::Top:
        return {plot.left, plot.top - width + 1, plot.width, width};
    case AxisPosition::Bottom:
        break;
    }
    return {plot.left, plot.Bottom(), plot.width, width};
}

CanvasRect TickRect(const TChartAxis& axis, int outer, int at) {
    const int length = axis.TickLength();
    const int width = axis.Ticks().Width();
    switch (axis.Position()) {
    case AxisPosition::Left:
        return {outer - length, at, length, width};
    case AxisPosition::Right:
        return {outer + 1, at, length, width};
    case AxisPosition::Top:
        return {at, outer - length, width, length};
    case AxisPosition::Bottom:
        break;
    }
    return {at, outer + 1, width, length};
}

CanvasRect GridRect(const TChartAxis& axis, const CanvasRect& plot, int at) {
    const int width = axis.Grid().Width();
    if (axis.IsHorizontal())
        return {at, plot.top, width, plot.height};
    return {plot.left, at, plot.width, width};
}

void PaintLabel(const TChartAxis& axis, int outer, int at, std::string_view text, Canvas& canvas) {
    const Rgb color = ColorToRgb(axis.LabelsColor());
    const int ticks = axis.Ticks().Visible() ? axis.TickLength() : 0;
    const int height = canvas.TextHeight();
    switch (axis.Position()) {
    case AxisPosition::Left:
        canvas.Text(outer - ticks - LabelGap, at - height / 2, text, color, TextAlign::Right);
        break;
    case AxisPosition::Right:
        canvas.Text(outer + ticks + LabelGap + 1, at - height / 2, text, color, TextAlign::Left);
        break;
    case AxisPosition::Top:
        canvas.Text(at, outer - ticks - LabelGap - height, text, color, TextAlign::Center);
        break;
    case AxisPosition::Bottom:
        canvas.Text(at, outer + ticks + LabelGap + 1, text, color, TextAlign::Center);
        break;
    }
}

} // namespace

int ChartPainter::BarWidth(int axisLength, std::size_t pointCount, int percent) {
    const long room = axisLength / static_cast<long>(pointCount + 1);
    long width = (room * percent + 50) / 100;
    if (width % 2 != 0)
        ++width;
    return static_cast<int>(std::max(1L, width));
}

void ChartPainter::Paint(const TChart& chart, int width, int height, Canvas& canvas) {
    const ChartLayout layout = ComputeChartLayout(chart, width, height, canvas);
    PaintFrame(chart, layout, canvas);
    PaintSeries(chart, layout, canvas);
}

void ChartPainter::PaintFrame(const TChart& chart, const ChartLayout& layout, Canvas& canvas) {
    canvas.FillRect({0, 0, layout.width, layout.height}, ColorToRgb(chart.Color()));
    PaintBevel(chart, layout, canvas);
    PaintTitle(chart, layout, canvas);
    if (!chart.BackWallTransparent())
        canvas.FillRect(layout.plot, ColorToRgb(chart.BackWallColor()));

    // Grid lines under the axis lines, ticks and labels of every axis.
    for (AxisPosition position : AllAxes) {
        const TChartAxis& axis = chart.Axis(position);
        const AxisScale& scale = layout.Axis(position);
        if (!scale.drawn || !axis.Grid().Visible() || scale.step <= 0.0)
            continue;
        rects_.clear();
        for (auto k = scale.FirstGridIndex(); k <= scale.LastGridIndex(); ++k)
            rects_.push_back(GridRect(axis, layout.plot, scale.ToPixel(scale.GridValue(k))));
        canvas.FillRects(rects_, ColorToRgb(axis.Grid().Color()));
    }
    for (AxisPosition position : AllAxes) {
        const TChartAxis& axis = chart.Axis(position);
        const AxisScale& scale = layout.Axis(position);
        if (!scale.drawn)
            continue;
        if (axis.AxisPen().Visible())
            canvas.FillRect(AxisLineRect(axis, layout.plot), ColorToRgb(axis.AxisPen().Color()));
        if (scale.step <= 0.0)
            continue;
        const int outer = OuterEdge(axis, layout.plot);
        if (axis.Ticks().Visible() && axis.TickLength() > 0) {
            rects_.clear();
            for (auto k = scale.FirstGridIndex(); k <= scale.LastGridIndex(); ++k)
                rects_.push_back(TickRect(axis, outer, scale.ToPixel(scale.GridValue(k))));
            canvas.FillRects(rects_, ColorToRgb(axis.Ticks().Color()));
        }
        if (axis.LabelsVisible()) {
            LabelBuffer buffer;
            for (auto k = scale.FirstGridIndex(); k <= scale.LastGridIndex(); ++k) {
                const double value = scale.GridValue(k);
                PaintLabel(axis, outer, scale.ToPixel(value),
                           FormatAxisLabel(value, scale.decimals, buffer), canvas);
            }
        }
    }
}

void ChartPainter::PaintSeries(const TChart& chart, const ChartLayout& layout, Canvas& canvas) {
    canvas.SetClip(layout.plot);
    for (std::size_t i = 0; i < chart.SeriesCount(); ++i) {
        const TChartSeries& series = chart.Series(i);
        if (!series.Active() || series.Count() == 0)
            continue;
        switch (series.Kind()) {
        case SeriesKind::FastLine:
            PaintFastLine(static_cast<const TFastLineSeries&>(series), layout, canvas);
            break;
        case SeriesKind::Point:
            PaintPoints(static_cast<const TPointSeries&>(series), layout, canvas);
            break;
        case SeriesKind::Bar:
            PaintBars(static_cast<const TBarSeries&>(series), layout, canvas);
            break;
        }
    }
    canvas.ClearClip();
}

void ChartPainter::PaintFastLine(const TFastLineSeries& series, const ChartLayout& layout,
                                 Canvas& canvas) {
    const TChartPen& pen = series.LinePen();
    const AxisScale& horizontal = layout.Axis(HorizontalAxisOf(series));
    const AxisScale& vertical = layout.Axis(VerticalAxisOf(series));
    const IndexRange range = LineRange(series.XValues(), horizontal);
    if (!pen.Visible() || range.empty)
        return;
    // The line comes in from the point before the first one drawn.
    const std::size_t start = range.first > 0 ? range.first - 1 : range.first;
    const auto& xs = series.XValues();
    const auto& ys = series.YValues();
    const Rgb color = ColorToRgb(pen.Color());
    const int width = pen.Width() * traceScale_;
    // A gap point ends the line at the point before it; the next point starts
    // a new one.
    const auto flush = [&] {
        if (points_.size() >= 2)
            canvas.Polyline(points_, color, width);
        points_.clear();
    };
    points_.clear();
    for (std::size_t i = start; i <= range.last; ++i) {
        if (std::isnan(xs[i]) || std::isnan(ys[i])) {
            flush();
            continue;
        }
        const CanvasPoint point{horizontal.ToPixel(xs[i]), vertical.ToPixel(ys[i])};
        if (!points_.empty() && points_.back() == point)
            continue;
        points_.push_back(point);
    }
    flush();
}

void ChartPainter::FlushRects(Canvas& canvas, Rgb fill, bool outline, Rgb outlineColor) {
    if (rects_.empty())
        return;
    canvas.FillRects(rects_, fill);
    if (outline)
        canvas.FrameRects(rects_, outlineColor);
    rects_.clear();
}

void ChartPainter::PaintPoints(const TPointSeries& series, const ChartLayout& layout,
                               Canvas& canvas) {
    const TSeriesPointer& pointer = series.Pointer();
    const AxisScale& horizontal = layout.Axis(HorizontalAxisOf(series));
    const AxisScale& vertical = layout.Axis(VerticalAxisOf(series));
    const IndexRange range = LineRange(series.XValues(), horizontal);
    if (!pointer.Visible() || range.empty)
        return;
    const bool outline = pointer.Pen().Visible();
    const Rgb outlineColor = ColorToRgb(pointer.Pen().Color());
    const int h = pointer.HorizSize() * traceScale_;
    const int v = pointer.VertSize() * traceScale_;
    const auto& xs = series.XValues();
    const auto& ys = series.YValues();
    // Runs of markers of one colour go to the canvas in one call.
    rects_.clear();
    TColor runColor = 0;
    for (std::size_t i = range.first; i <= range.last; ++i) {
        if (std::isnan(xs[i]) || std::isnan(ys[i]))
            continue;
        const TColor color =
            pointer.FillColor() != DefaultColor ? pointer.FillColor() : series.PointColor(i);
        if (!rects_.empty() && color != runColor)
            FlushRects(canvas, ColorToRgb(runColor), outline, outlineColor);
        runColor = color;
        const int x = horizontal.ToPixel(xs[i]);
        const int y = vertical.ToPixel(ys[i]);
        rects_.push_back({x - h, y - v, 2 * h + 1, 2 * v + 1});
    }
    FlushRects(canvas, ColorToRgb(runColor), outline, outlineColor);
}

void ChartPainter::PaintBars(const TBarSeries& series, const ChartLayout& layout, Canvas& canvas) {
    const AxisScale& horizontal = layout.Axis(HorizontalAxisOf(series));
    const AxisScale& vertical = layout.Axis(VerticalAxisOf(series));
    const IndexRange range = BarRange(series.XValues(), horizontal);
    if (range.empty)
        return;
    const int width = BarWidth(horizontal.Length(), series.Count(), series.BarWidthPercent());
    const bool outline = series.BarPen().Visible();
    const Rgb outlineColor = ColorToRgb(series.BarPen().Color());
    const int origin = vertical.ToPixel(series.YOrigin());
    const auto& xs = series.XValues();
    const auto& ys = series.YValues();
    rects_.clear();
    TColor runColor = 0;
    for (std::size_t i = range.first; i <= range.last; ++i) {
        if (std::isnan(ys[i]))
            continue;
        const TColor color = series.PointColor(i);
        if (!rects_.empty() && color != runColor)
            FlushRects(canvas, ColorToRgb(runColor), outline, outlineColor);
        runColor = color;
        const int x = horizontal.ToPixel(xs[i]);
        const int y = vertical.ToPixel(ys[i]);
        rects_.push_back({x - width / 2, std::min(y, origin), width, std::abs(y - origin) + 1});
    }
    FlushRects(canvas, ColorToRgb(runColor), outline, outlineColor);
}

} // namespace signova
