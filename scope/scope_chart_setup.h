#pragma once

#include "chart/chart.h"
#include "chart/chart_bar_series.h"
#include "chart/chart_fast_line_series.h"
#include "chart/chart_point_series.h"

namespace signova {

// The four series of the oscilloscope chart, in drawing order.
struct ScopeChartSeries {
    TFastLineSeries* Series1 = nullptr; // input trace
    TFastLineSeries* Series2 = nullptr; // output trace
    TPointSeries* Series3 = nullptr;    // input sample markers
    TPointSeries* Series4 = nullptr;    // output sample markers
};

// Gives `chart` the oscilloscope's fixed look (dark teal panel, brown grid of
// 10 x 8 divisions over 0..400 x 0..8000, no labels) and its four series,
// replacing any series it had.
ScopeChartSeries ConfigureScopeChart(TChart& chart);

// Gives `chart` the look of the FIR coefficient plot (title, self-scaling
// axes with labels) and its one red bar series, which it returns.
TBarSeries& ConfigureFirPlotChart(TChart& chart);

} // namespace signova
