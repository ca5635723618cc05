#include "chart/chart.h"

namespace signova {

TChart::TChart()
    : left_axis_(*this, AxisPosition::Left), right_axis_(*this, AxisPosition::Right),
      top_axis_(*this, AxisPosition::Top), bottom_axis_(*this, AxisPosition::Bottom) {}

TChart::~TChart() = default;

void TChart::Changed(ChartChange change) {
    if (change == ChartChange::Frame)
        ++config_version_;
    RequestRepaint();
}

void TChart::RequestRepaint() {
    if (needs_repaint_)
        return;
    needs_repaint_ = true;
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
    bevel_outer_ = bevel;
    Changed(ChartChange::Frame);
}

void TChart::SetBevelWidth(int width) {
    bevel_width_ = width < 0 ? 0 : width;
    Changed(ChartChange::Frame);
}

void TChart::SetTitleText(std::vector<std::string> lines) {
    title_text_ = std::move(lines);
    Changed(ChartChange::Frame);
}

void TChart::SetTitleVisible(bool visible) {
    title_visible_ = visible;
    Changed(ChartChange::Frame);
}

void TChart::SetTitleColor(TColor color) {
    title_color_ = color;
    Changed(ChartChange::Frame);
}

void TChart::SetLegendVisible(bool visible) {
    legend_visible_ = visible;
    Changed(ChartChange::Frame);
}

void TChart::SetView3D(bool on) {
    view_3d_ = on;
    Changed(ChartChange::Frame);
}

void TChart::SetAllowZoom(bool on) {
    allow_zoom_ = on;
}

void TChart::SetAllowPanning(bool on) {
    allow_panning_ = on;
}

void TChart::SetBackWallTransparent(bool transparent) {
    back_wall_transparent_ = transparent;
    Changed(ChartChange::Frame);
}

void TChart::SetBackWallColor(TColor color) {
    back_wall_color_ = color;
    Changed(ChartChange::Frame);
}

TChartAxis& TChart::Axis(AxisPosition position) {
    switch (position) {
    case AxisPosition::Left:
        return left_axis_;
    case AxisPosition::Right:
        return right_axis_;
    case AxisPosition::Top:
        return top_axis_;
    case AxisPosition::Bottom:
        break;
    }
    return bottom_axis_;
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
