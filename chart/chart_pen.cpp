#include "chart/chart_pen.h"

#include "chart/chart.h"

namespace signova {

TChartPen::TChartPen(TChart& chart, ChartChange affects, TColor color, int width, bool visible)
    : chart_(chart), affects_(affects), color_(color), width_(width < 1 ? 1 : width),
      visible_(visible) {}

void TChartPen::SetColor(TColor color) {
    color_ = color;
    chart_.Changed(affects_);
}

void TChartPen::SetWidth(int width) {
    width_ = width < 1 ? 1 : width;
    chart_.Changed(affects_);
}

void TChartPen::SetVisible(bool visible) {
    visible_ = visible;
    chart_.Changed(affects_);
}

} // namespace signova
