#include "chart/chart_layout.h"

#include "chart/chart.h"
#include "chart/chart_bar_series.h"
#include "chart/chart_point_series.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace signova {
namespace {

constexpr std::array<AxisPosition, 4> AllAxes{AxisPosition::Left, AxisPosition::Right,
                                              AxisPosition::Top, AxisPosition::Bottom};
// Grid lines without labels are kept at least this far apart.
constexpr int MinGridSpacing = 4;
// Grid indices beyond this are not counted (the range is absurd for its step).
constexpr double MaxGridIndex = 1.0e15;

bool IsAttached(const TChartSeries& series, AxisPosition position) {
    switch (position) {
    case AxisPosition::Left:
        return series.VertAxis() != TVertAxis::Right;
    case AxisPosition::Right:
        return series.VertAxis() != TVertAxis::Left;
    case AxisPosition::Top:
        return series.HorizAxis() != THorizAxis::Bottom;
    case AxisPosition::Bottom:
        break;
    }
    return series.HorizAxis() != THorizAxis::Top;
}

bool AnySeriesAttached(const TChart& chart, AxisPosition position) {
    for (std::size_t i = 0; i < chart.SeriesCount(); ++i) {
        if (IsAttached(chart.Series(i), position))
            return true;
    }
    return false;
}

struct ValueRange {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    bool wholeNumbers = true; // every value added is a whole number

    void Add(double value) {
        if (!std::isfinite(value))
            return;
        Widen(value);
        wholeNumbers = wholeNumbers && value == std::floor(value);
    }
    // Takes in room around the values, which need not be a value itself.
    void Widen(double end) {
        low = std::min(low, end);
        high = std::max(high, end);
    }
    bool Empty() const { return low > high; }
};

// The smallest gap between neighbouring x values of a series, 1 when there is
// none.
double SmallestGap(const std::vector<double>& xs) {
    double gap = std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i < xs.size(); ++i) {
        const double step = xs[i] - xs[i - 1];
        if (step > 0.0)
            gap = std::min(gap, step);
    }
    return std::isfinite(gap) ? gap : 1.0;
}

// The values of the active series attached to an axis. Bars include their
// origin, so they always stand on a visible zero line, and on a horizontal
// axis half a gap between bars on either side, so that the first and the last
// bar are drawn whole.
ValueRange DataRange(const TChart& chart, const TChartAxis& axis) {
    ValueRange range;
    for (std::size_t i = 0; i < chart.SeriesCount(); ++i) {
        const TChartSeries& series = chart.Series(i);
        if (!series.Active() || !IsAttached(series, axis.Position()))
            continue;
        const auto& values = axis.IsHorizontal() ? series.XValues() : series.YValues();
        for (double value : values)
            range.Add(value);
        if (series.Kind() != SeriesKind::Bar || series.Count() == 0)
            continue;
        if (axis.IsHorizontal()) {
            const double halfGap = SmallestGap(series.XValues()) / 2;
            range.Widen(series.XValues().front() - halfGap);
            range.Widen(series.XValues().back() + halfGap);
        } else {
            range.Add(static_cast<const TBarSeries&>(series).YOrigin());
        }
    }
    return range;
}

void SetRange(AxisScale& scale, const TChart& chart, const TChartAxis& axis) {
    if (axis.Automatic()) {
        const ValueRange data = DataRange(chart, axis);
        scale.minimum = data.Empty() ? 0.0 : data.low;
        scale.maximum = data.Empty() ? 0.0 : data.high;
        // Whole-number values (indices, counts) get whole-number labels.
        scale.smallestStep = !data.Empty() && data.wholeNumbers ? 1.0 : 0.0;
        if (!(scale.maximum > scale.minimum)) {
            scale.minimum -= 1.0;
            scale.maximum += 1.0;
        }
        return;
    }
    scale.minimum = std::isfinite(axis.Minimum()) ? axis.Minimum() : 0.0;
    scale.maximum = std::isfinite(axis.Maximum()) ? axis.Maximum() : scale.minimum + 1.0;
    // An empty or inverted fixed range would divide by zero: show one unit.
    if (!(scale.maximum > scale.minimum))
        scale.maximum = scale.minimum + 1.0;
}

int LabelWidth(double value, int decimals, const TextMetrics& metrics) {
    LabelBuffer buffer;
    return metrics.TextWidth(FormatAxisLabel(value, decimals, buffer));
}

// Widest label of the axis' extreme grid values.
int WidestLabel(const AxisScale& scale, const TextMetrics& metrics) {
    if (scale.step <= 0.0)
        return 0;
    return std::max(LabelWidth(scale.GridValue(scale.FirstGridIndex()), scale.decimals, metrics),
                    LabelWidth(scale.GridValue(scale.LastGridIndex()), scale.decimals, metrics));
}

void SetStep(AxisScale& scale, double step) {
    const bool countable = std::fabs(scale.minimum / step) < MaxGridIndex &&
                           std::fabs(scale.maximum / step) < MaxGridIndex;
    scale.step = countable ? step : 0.0;
    scale.decimals = countable ? DecimalsFor(step) : 0;
}

// Grid and label spacing: the axis' Increment, or else the smallest readable
// 1-2-5 step; never more grid lines than pixels.
void ChooseStep(AxisScale& scale, const TChartAxis& axis, const TextMetrics& metrics) {
    const int length = scale.Length();
    const double span = scale.maximum - scale.minimum;
    if (length <= 0) {
        scale.step = 0.0;
        return;
    }
    const double increment = axis.Increment();
    if (increment > 0.0 && std::isfinite(increment) && span / increment <= length) {
        SetStep(scale, increment);
        return;
    }
    int spacing = MinGridSpacing;
    if (axis.LabelsVisible()) {
        if (axis.IsHorizontal()) {
            SetStep(scale, std::max(scale.smallestStep, NiceStep(span * 50.0 / length)));
            spacing = WidestLabel(scale, metrics) + 4 * LabelGap;
        } else {
            spacing = 2 * metrics.TextHeight();
        }
    }
    SetStep(scale, std::max(scale.smallestStep,
                            NiceStep(span * std::max(spacing, MinGridSpacing) / length)));
}

struct Margins {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// What an axis needs outside the plot area: its line, ticks and labels.
int OutwardRoom(const TChartAxis& axis, const AxisScale& scale, const TextMetrics& metrics) {
    int room = 0;
    if (axis.AxisPen().Visible())
        room += axis.AxisPen().Width() - 1;
    if (axis.Ticks().Visible())
        room += axis.TickLength();
    if (axis.LabelsVisible() && scale.step > 0.0) {
        room += LabelGap;
        room += axis.IsHorizontal() ? metrics.TextHeight() : WidestLabel(scale, metrics);
    }
    return room;
}

Margins ComputeMargins(const TChart& chart, const ChartLayout& layout, const TextMetrics& metrics) {
    const int edge =
        (chart.BevelOuter() == TBevelCut::None ? 0 : chart.BevelWidth()) + ChartPadding;
    Margins margins{edge, edge, edge, edge};
    if (chart.TitleVisible() && !chart.TitleText().empty()) {
        margins.top += static_cast<int>(chart.TitleText().size()) * metrics.TextHeight() + LabelGap;
    }
    for (AxisPosition position : AllAxes) {
        const AxisScale& scale = layout.Axis(position);
        if (!scale.drawn)
            continue;
        const TChartAxis& axis = chart.Axis(position);
        const int room = OutwardRoom(axis, scale, metrics);
        switch (position) {
        case AxisPosition::Left:
            margins.left += room;
            break;
        case AxisPosition::Right:
            margins.right += room;
            break;
        case AxisPosition::Top:
            margins.top += room;
            break;
        case AxisPosition::Bottom:
            margins.bottom += room;
            break;
        }
        if (!axis.LabelsVisible() || scale.step <= 0.0)
            continue;
        // Labels centred on the ends of the axis stick out beyond it.
        if (axis.IsHorizontal()) {
            const int half = WidestLabel(scale, metrics) / 2 + 1;
            margins.left = std::max(margins.left, edge + half);
            margins.right = std::max(margins.right, edge + half);
        } else {
            const int half = metrics.TextHeight() / 2 + 1;
            margins.top = std::max(margins.top, edge + half);
            margins.bottom = std::max(margins.bottom, edge + half);
        }
    }
    // Markers at the edges of the plot area stay whole.
    for (std::size_t i = 0; i < chart.SeriesCount(); ++i) {
        const TChartSeries& series = chart.Series(i);
        if (series.Kind() != SeriesKind::Point || !series.Active())
            continue;
        const TSeriesPointer& pointer = static_cast<const TPointSeries&>(series).Pointer();
        if (!pointer.Visible() || !pointer.InflateMargins())
            continue;
        margins.left = std::max(margins.left, pointer.HorizSize() + 1);
        margins.right = std::max(margins.right, pointer.HorizSize() + 1);
        margins.top = std::max(margins.top, pointer.VertSize() + 1);
        margins.bottom = std::max(margins.bottom, pointer.VertSize() + 1);
    }
    return margins;
}

void PlaceAxes(ChartLayout& layout, const Margins& margins) {
    layout.plot = CanvasRect{margins.left, margins.top,
                             std::max(1, layout.width - margins.left - margins.right),
                             std::max(1, layout.height - margins.top - margins.bottom)};
    for (AxisPosition position : AllAxes) {
        AxisScale& scale = layout.Axis(position);
        const bool horizontal = position == AxisPosition::Top || position == AxisPosition::Bottom;
        scale.startPixel = horizontal ? layout.plot.left : layout.plot.Bottom();
        scale.endPixel = horizontal ? layout.plot.Right() : layout.plot.top;
    }
}

} // namespace

AxisPosition HorizontalAxisOf(const TChartSeries& series) {
    return series.HorizAxis() == THorizAxis::Top ? AxisPosition::Top : AxisPosition::Bottom;
}

AxisPosition VerticalAxisOf(const TChartSeries& series) {
    return series.VertAxis() == TVertAxis::Right ? AxisPosition::Right : AxisPosition::Left;
}

ChartLayout ComputeChartLayout(const TChart& chart, int width, int height,
                               const TextMetrics& metrics) {
    ChartLayout layout;
    layout.width = std::max(0, width);
    layout.height = std::max(0, height);
    for (AxisPosition position : AllAxes) {
        const TChartAxis& axis = chart.Axis(position);
        AxisScale& scale = layout.Axis(position);
        const bool alwaysShown = position == AxisPosition::Left || position == AxisPosition::Bottom;
        scale.drawn = axis.Visible() && (alwaysShown || AnySeriesAttached(chart, position));
        SetRange(scale, chart, axis);
    }
    // Label sizes depend on the steps, which depend on the plot size, which
    // depends on the label sizes: a few rounds settle it.
    for (int round = 0; round < 3; ++round) {
        PlaceAxes(layout, ComputeMargins(chart, layout, metrics));
        for (AxisPosition position : AllAxes)
            ChooseStep(layout.Axis(position), chart.Axis(position), metrics);
    }
    return layout;
}

} // namespace signova
