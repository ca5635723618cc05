#pragma once

#include "chart/canvas.h"
#include "chart/chart_layout.h"

namespace signova {

// Something drawn over a chart's plot that is not one of its series (a
// held trace, cursors): the widget that shows the chart paints it, under or
// over the series, in the chart's own layout.
class ChartLayer {
public:
    virtual ~ChartLayer() = default;
    // `scale` is the trace scale the series are drawn at.
    virtual void Paint(const ChartLayout& layout, Canvas& canvas, int scale) = 0;
};

} // namespace signova
