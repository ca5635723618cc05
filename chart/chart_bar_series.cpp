#include "chart/chart_bar_series.h"

#include <algorithm>
#include <utility>

namespace signova {

TBarSeries::TBarSeries(TChart& chart, std::string name)
    : TChartSeries(chart, SeriesKind::Bar, std::move(name), clRed),
      bar_pen_(chart, ChartChange::Series, clBlack) {}

void TBarSeries::SetBarWidthPercent(int percent) {
    bar_width_percent_ = std::clamp(percent, 1, 100);
    RequestRepaint();
}

} // namespace signova
