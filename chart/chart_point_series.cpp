#include "chart/chart_point_series.h"

#include <utility>

namespace signova {

TPointSeries::TPointSeries(TChart& chart, std::string name)
    : TChartSeries(chart, SeriesKind::Point, std::move(name), clRed), pointer_(chart) {}

} // namespace signova
