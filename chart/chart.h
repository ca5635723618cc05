#pragma once

#include "chart/chart_axis.h"
#include "chart/chart_pen.h"
#include "chart/chart_series.h"
#include "toolkit/colors.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace signova {

enum class TBevelCut { None, Lowered, Raised };

// The chart model: a panel with a bevel and an optional title, four axes, a
// back wall over the plot area and an ordered list of series (later series lie
// on top). It does not paint itself: a change only marks it as needing a
// repaint and, on the first change after a paint, calls the invalidation
// handler, so any number of changes between two paints ask for one repaint.
class TChart {
public:
    TChart();
    TChart(const TChart&) = delete;
    TChart& operator=(const TChart&) = delete;
    ~TChart();

    // Panel
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);

    // Title: lines of text centred above the plot area.
    const std::vector<std::string>& TitleText() const { return titleText_; }
    void SetTitleText(std::vector<std::string> lines);
    bool TitleVisible() const { return titleVisible_; }
    void SetTitleVisible(bool visible);
    TColor TitleColor() const { return titleColor_; }
    void SetTitleColor(TColor color);

    // Back wall: filled with its colour unless transparent, in which case the
    // panel colour shows through the plot area.
    bool BackWallTransparent() const { return backWallTransparent_; }
    void SetBackWallTransparent(bool transparent);
    TColor BackWallColor() const { return backWallColor_; }
    void SetBackWallColor(TColor color);

    TChartAxis& LeftAxis() { return leftAxis_; }
    const TChartAxis& LeftAxis() const { return leftAxis_; }
    TChartAxis& RightAxis() { return rightAxis_; }
    const TChartAxis& RightAxis() const { return rightAxis_; }
    TChartAxis& TopAxis() { return topAxis_; }
    const TChartAxis& TopAxis() const { return topAxis_; }
    TChartAxis& BottomAxis() { return bottomAxis_; }
    const TChartAxis& BottomAxis() const { return bottomAxis_; }
    TChartAxis& Axis(AxisPosition position);
    const TChartAxis& Axis(AxisPosition position) const;

    // Series, in drawing order. The chart owns them.
    template <class Series> Series& AddSeries(std::string name) {
        auto series = std::make_unique<Series>(*this, std::move(name));
        Series& added = *series;
        series_.push_back(std::move(series));
        Changed(ChartChange::Frame);
        return added;
    }
    std::size_t SeriesCount() const { return series_.size(); }
    TChartSeries& Series(std::size_t index) { return *series_[index]; }
    const TChartSeries& Series(std::size_t index) const { return *series_[index]; }
    // The series of that name, or nullptr.
    TChartSeries* FindSeries(std::string_view name);
    void RemoveAllSeries();

    // Repaint requests. A part of the chart reports each change here.
    void Changed(ChartChange change);
    void RequestRepaint();
    bool NeedsRepaint() const { return needsRepaint_; }
    // Called by whoever painted the chart: the next change asks again.
    void MarkPainted() { needsRepaint_ = false; }
    // Called once on each change from painted to needing a repaint.
    void SetInvalidateHandler(std::function<void()> handler);
    // Grows with every change of the panel, title, axes or series list, so a
    // painter can tell when a cached frame is out of date.
    std::uint64_t ConfigVersion() const { return configVersion_; }

private:
    TColor color_ = clBtnFace;
    TBevelCut bevelOuter_ = TBevelCut::Raised;
    int bevelWidth_ = 1;
    std::vector<std::string> titleText_;
    bool titleVisible_ = true;
    TColor titleColor_ = clNavy;
    bool backWallTransparent_ = false;
    TColor backWallColor_ = clWhite;
    TChartAxis leftAxis_;
    TChartAxis rightAxis_;
    TChartAxis topAxis_;
    TChartAxis bottomAxis_;
    std::vector<std::unique_ptr<TChartSeries>> series_;

    bool needsRepaint_ = true;
    std::function<void()> invalidate_;
    std::uint64_t configVersion_ = 0;
};

} // namespace signova
