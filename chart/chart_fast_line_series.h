#pragma once

#include "chart/chart_pen.h"
#include "chart/chart_series.h"

#include <limits>

namespace signova {

// A series drawn as a polyline through its points in the colour of its
// LinePen; the colours of the points play no part. A point whose y is NaN
// (GapY) is a gap: no line passes through it, so the line ends at the point
// before and starts again at the point after.
class TFastLineSeries : public TChartSeries {
public:
    static constexpr double GapY = std::numeric_limits<double>::quiet_NaN();

    TFastLineSeries(TChart& chart, std::string name);

    // Setting the series colour also sets the pen colour.
    void SetSeriesColor(TColor color) override;

    TChartPen& LinePen() { return linePen_; }
    const TChartPen& LinePen() const { return linePen_; }

private:
    TChartPen linePen_;
};

} // namespace signova
