#include "chart/chart_fast_line_series.h"

#include <utility>

namespace signova {

TFastLineSeries::TFastLineSeries(TChart& chart, std::string name)
    : TChartSeries(chart, SeriesKind::FastLine, std::move(name), clRed),
      linePen_(chart, ChartChange::Series, clRed) {}

void TFastLineSeries::SetSeriesColor(TColor color) {
    linePen_.SetColor(color);
    TChartSeries::SetSeriesColor(color);
}

} // namespace signova
