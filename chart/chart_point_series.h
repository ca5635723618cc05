#pragma once

#include "chart/chart_series.h"
#include "chart/chart_series_pointer.h"

namespace signova {

// A series drawn as one rectangular marker per point.
class TPointSeries : public TChartSeries {
public:
    TPointSeries(TChart& chart, std::string name);

    TSeriesPointer& Pointer() { return pointer_; }
    const TSeriesPointer& Pointer() const { return pointer_; }

private:
    TSeriesPointer pointer_;
};

} // namespace signova
