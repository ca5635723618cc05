#include "chart/chart.h"

namespace signova {

TChart::TChart()
    : leftAxis_(*this, AxisPosition::Left), rightAxis_(*this, AxisPosition::Right),
      topAxis_(*this, AxisPosition::Top), bottomAxis_(*this, AxisPosition::Bottom) {}

TChart::~TChart() = default;

void TChart::Changed(ChartChange change) {
    if (change == ChartChange::Frame)
        ++configVersion_;
    RequestRepaint();
}

void TChart::RequestRepaint() {
    if (needsRepaint_)
        return;
    needsRepaint_ = true;
    if (invalidate_)
        invalidate_();
}

void TChart::SetInvalidateHandler(std::function<void()> handler) {
    invalidate_ = std::move(handler);
}

void TChart::SetColor(TColor color) {
    color_ = color;
    Changed(ChartChange::Frame);
}

void TChart::SetBevelOuter(TBevelCut bevel) {
    bevelOuter_ = bevel;
    Changed(ChartChange::Frame);
}

void TChart::SetBevelWidth(int width) {
    bevelWidth_ = width < 0 ? 0 : width;
    Changed(ChartChange::Frame);
}

void TChart::SetTitleText(std::vector<std::string> lines) {
    titleText_ = std::move(lines);
    Changed(ChartChange::Frame);
}

void TChart::SetTitleVisible(bool visible) {
    titleVisible_ = visible;
    Changed(ChartChange::Frame);
}

void TChart::SetTitleColor(TColor color) {
    titleColor_ = color;
    Changed(ChartChange::Frame);
}

void TChart::SetBackWallTransparent(bool transparent) {
    backWallTransparent_ = transparent;
    Changed(ChartChange::Frame);
}

void TChart::SetBackWallColor(TColor color) {
    backWallColor_ = color;
    Changed(ChartChange::Frame);
}

TChartAxis& TChart::Axis(AxisPosition position) {
    switch (position) {
    case AxisPosition::Left:
        return leftAxis_;
    case AxisPosition::Right:
        return rightAxis_;
    case AxisPosition::Top:
        return topAxis_;
    case AxisPosition::Bottom:
        break;
    }
    return bottomAxis_;
}

const TChartAxis& TChart::Axis(AxisPosition position) const {
    return const_cast<TChart*>(this)->Axis(position);
}

TChartSeries* TChart::FindSeries(std::string_view name) {
    for (auto& series : series_) {
        if (series->Name() == name)
            return series.get();
    }
    return nullptr;
}

void TChart::RemoveAllSeries() {
    series_.clear();
    Changed(ChartChange::Frame);
}

} // namespace signova
