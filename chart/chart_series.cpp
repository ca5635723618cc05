#include "chart/chart_series.h"

#include "chart/chart.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace signova {

TChartSeries::TChartSeries(TChart& chart, SeriesKind kind, std::string name, TColor color)
    : chart_(chart), kind_(kind), name_(std::move(name)), seriesColor_(color) {}

void TChartSeries::RequestRepaint() {
    chart_.Changed(ChartChange::Series);
}

void TChartSeries::SetSeriesColor(TColor color) {
    seriesColor_ = color;
    RequestRepaint();
}

void TChartSeries::SetActive(bool active) {
    active_ = active;
    RequestRepaint();
}

void TChartSeries::SetColorEachPoint(bool on) {
    colorEachPoint_ = on;
    RequestRepaint();
}

void TChartSeries::SetHorizAxis(THorizAxis axis) {
    horizAxis_ = axis;
    RequestRepaint();
}

void TChartSeries::SetVertAxis(TVertAxis axis) {
    vertAxis_ = axis;
    RequestRepaint();
}

void TChartSeries::SetMarksVisible(bool visible) {
    marksVisible_ = visible;
    RequestRepaint();
}

void TChartSeries::Clear() {
    x_.clear();
    y_.clear();
    colors_.clear();
    labels_.clear();
    RequestRepaint();
}

std::size_t TChartSeries::AddPoint(double x, double y, std::string_view label, TColor color) {
    std::size_t index = x_.size();
    if (!x_.empty() && x < x_.back()) {
        // After every point whose x is not greater than the new one.
        index = static_cast<std::size_t>(std::upper_bound(x_.begin(), x_.end(), x) - x_.begin());
    }
    const auto at = static_cast<std::ptrdiff_t>(index);
    x_.insert(x_.begin() + at, x);
    y_.insert(y_.begin() + at, y);
    colors_.insert(colors_.begin() + at, color);
    labels_.emplace(labels_.begin() + at, label);
    RequestRepaint();
    return index;
}

TColor TChartSeries::PointColor(std::size_t index) const {
    const TColor own = colors_[index];
    if (own != DefaultColor)
        return own;
    return colorEachPoint_ ? PaletteColor(index) : seriesColor_;
}

} // namespace signova
