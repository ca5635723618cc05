#pragma once

#include "chart/chart_pen.h"
#include "chart/chart_series.h"

namespace signova {

// A series drawn as one polyline through its points in the colour of its
// LinePen; the colours of the points play no part.
class TFastLineSeries : public TChartSeries {
public:
    TFastLineSeries(TChart& chart, std::string name);

    // Setting the series colour also sets the pen colour.
    void SetSeriesColor(TColor color) override;

    TChartPen& LinePen() { return linePen_; }
    const TChartPen& LinePen() const { return linePen_; }

private:
    TChartPen linePen_;
};

} // namespace signova
