#pragma once

#include "chart/canvas.h"
#include "chart/chart_axis.h"
#include "chart/chart_axis_scale.h"

#include <array>

namespace signova {

class TChart;
class TChartSeries;

// Where everything of a chart goes on a panel of a given size. Two equal
// layouts of an unchanged configuration paint the same frame.
struct ChartLayout {
    int width = 0;
    int height = 0;
    CanvasRect plot;                 // the plot area, axis lines on its edges
    std::array<AxisScale, 4> axes{}; // indexed by AxisPosition

    const AxisScale& Axis(AxisPosition position) const {
        return axes[static_cast<std::size_t>(position)];
    }
    AxisScale& Axis(AxisPosition position) { return axes[static_cast<std::size_t>(position)]; }
    friend bool operator==(const ChartLayout&, const ChartLayout&) = default;
};

// Room between the bevel and the plot area, labels and ticks aside.
constexpr int ChartPadding = 4;
// Room between a tick (or axis line) and its label, and below the title.
constexpr int LabelGap = 2;

ChartLayout ComputeChartLayout(const TChart& chart, int width, int height,
                               const TextMetrics& metrics);

// The axes that position a series: the bottom axis unless the series is on
// the top axis alone, the left axis unless it is on the right axis alone.
AxisPosition HorizontalAxisOf(const TChartSeries& series);
AxisPosition VerticalAxisOf(const TChartSeries& series);

} // namespace signova
