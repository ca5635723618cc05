#include "chart/chart_axis.h"

#include "chart/chart.h"

namespace signova {

TChartAxis::TChartAxis(TChart& chart, AxisPosition position)
    : chart_(chart), position_(position), axisPen_(chart, ChartChange::Frame, clBlack),
      grid_(chart, ChartChange::Frame, clGray), ticks_(chart, ChartChange::Frame, clGray) {}

void TChartAxis::Changed() {
    chart_.Changed(ChartChange::Frame);
}

void TChartAxis::SetVisible(bool visible) {
    visible_ = visible;
    Changed();
}

void TChartAxis::SetAutomatic(bool automatic) {
    automatic_ = automatic;
    Changed();
}

void TChartAxis::SetMinMax(double minimum, double maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    automatic_ = false;
    Changed();
}

void TChartAxis::SetIncrement(double increment) {
    increment_ = increment < 0.0 ? 0.0 : increment;
    Changed();
}

void TChartAxis::SetTickLength(int length) {
    tickLength_ = length < 0 ? 0 : length;
    Changed();
}

void TChartAxis::SetLabelsVisible(bool visible) {
    labelsVisible_ = visible;
    Changed();
}

void TChartAxis::SetLabelsColor(TColor color) {
    labelsColor_ = color;
    Changed();
}

} // namespace signova
