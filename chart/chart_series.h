#pragma once

#include "toolkit/colors.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace signova {

class TChart;

enum class SeriesKind { FastLine, Point, Bar };

// Which horizontal / vertical axes a series is attached to.
enum class THorizAxis { Top, Bottom, Both };
enum class TVertAxis { Left, Right, Both };

// What every kind of series has: its colour and switches, the axes it is
// attached to, and its points as parallel lists kept in ascending x.
// A series belongs to one chart, which it asks to repaint after each change.
// Clear keeps the lists' capacity, so refilling a series of the same size
// allocates nothing.
class TChartSeries {
public:
    TChartSeries(const TChartSeries&) = delete;
    TChartSeries& operator=(const TChartSeries&) = delete;
    virtual ~TChartSeries() = default;

    SeriesKind Kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    TChart& ParentChart() const { return chart_; }

    TColor SeriesColor() const { return seriesColor_; }
    virtual void SetSeriesColor(TColor color);
    bool Active() const { return active_; }
    void SetActive(bool active);
    bool ColorEachPoint() const { return colorEachPoint_; }
    void SetColorEachPoint(bool on);
    THorizAxis HorizAxis() const { return horizAxis_; }
    void SetHorizAxis(THorizAxis axis);
    TVertAxis VertAxis() const { return vertAxis_; }
    void SetVertAxis(TVertAxis axis);

    // Removes every point (keeping capacity), then asks for a repaint.
    void Clear();
    // Inserts the point after every point whose x is not greater (appending
    // when x is not below the last x), asks for a repaint and returns the
    // index of the new point.
    std::size_t AddPoint(double x, double y, std::string_view label, TColor color);

    std::size_t Count() const { return x_.size(); }
    const std::vector<double>& XValues() const { return x_; }
    const std::vector<double>& YValues() const { return y_; }
    const std::vector<TColor>& Colors() const { return colors_; }
    const std::vector<std::string>& Labels() const { return labels_; }

    // The colour point `index` is shown in: its own colour, or for a
    // DefaultColor point the series colour (a palette colour when
    // ColorEachPoint is set).
    TColor PointColor(std::size_t index) const;

protected:
    TChartSeries(TChart& chart, SeriesKind kind, std::string name, TColor color);
    void RequestRepaint();

private:
    TChart& chart_;
    SeriesKind kind_;
    std::string name_;
    TColor seriesColor_;
    bool active_ = true;
    bool colorEachPoint_ = false;
    THorizAxis horizAxis_ = THorizAxis::Bottom;
    TVertAxis vertAxis_ = TVertAxis::Left;
    std::vector<double> x_;
    std::vector<double> y_;
    std::vector<TColor> colors_;
    std::vector<std::string> labels_;
};

} // namespace signova
