#include "chart/chart_bar_series.h"

#include <algorithm>
#include <utility>

namespace signova {

TBarSeries::TBarSeries(TChart& chart, std::string name)
    : TChartSeries(chart, SeriesKind::Bar, std::move(name), clRed),
      barPen_(chart, ChartChange::Series, clBlack) {}

void TBarSeries::SetBarWidthPercent(int percent) {
    barWidthPercent_ = std::clamp(percent, 1, 100);
    RequestRepaint();
}

} // namespace signova
