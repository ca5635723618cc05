#pragma once

#include "chart/chart.h"

namespace signova::testing {

// A chart whose plot area is easy to reckon with: no bevel, title, labels or
// ticks, so the plot area is the panel less ChartPadding (4 pixels) on each
// side, and the bottom and left axes are fixed to the given ranges.
inline void MakeBareChart(TChart& chart, double xMin, double xMax, double yMin, double yMax) {
    chart.SetBevelOuter(TBevelCut::None);
    chart.SetTitleVisible(false);
    for (AxisPosition position :
         {AxisPosition::Left, AxisPosition::Right, AxisPosition::Top, AxisPosition::Bottom}) {
        TChartAxis& axis = chart.Axis(position);
        axis.SetLabelsVisible(false);
        axis.Ticks().SetVisible(false);
        axis.Grid().SetVisible(false);
    }
    chart.BottomAxis().SetMinMax(xMin, xMax);
    chart.LeftAxis().SetMinMax(yMin, yMax);
}

// Panel size whose plot area is `plot_width` x `plot_height` pixels in a bare chart.
constexpr int BarePanel(int plotPixels) {
    return plotPixels + 8;
}

} // namespace signova::testing
