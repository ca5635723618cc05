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

void TChartSeries::Clear() {
    x_.clear();
    y_.clear();
    colors_.clear();
    labels_.clear();
    RequestRepaint();
}

std::size_t TChartSeries::AddPoint(double x, double y, std::string_view label, TColor color) {
    if (x_.empty() || !(x < x_.back())) {
        // Points mostly come in ascending x (a sweep plots a thousand of
        // them): appended without a search.
        x_.push_back(x);
        y_.push_back(y);
        colors_.push_back(color);
        if (label.empty())
            labels_.emplace_back();
        else
            labels_.emplace_back(label);
        RequestRepaint();
        return x_.size() - 1;
    }
    // After every point whose x is not greater than the new one.
    const auto index =
        static_cast<std::size_t>(std::upper_bound(x_.begin(), x_.end(), x) - x_.begin());
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
