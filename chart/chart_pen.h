#pragma once

#include "toolkit/colors.h"

namespace signova {

class TChart;

// What a change of a chart part affects: the static frame (panel, axes, grid)
// or only the series drawn over it.
enum class ChartChange { Frame, Series };

// A line style of a chart part: colour, width in pixels and an on/off switch.
// Every change is reported to the chart the pen belongs to.
class TChartPen {
public:
    TChartPen(TChart& chart, ChartChange affects, TColor color, int width = 1, bool visible = true);
    TChartPen(const TChartPen&) = delete;
    TChartPen& operator=(const TChartPen&) = delete;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    // Widths below 1 are drawn 1 pixel wide.
    void SetWidth(int width);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

private:
    TChart& chart_;
    ChartChange affects_;
    TColor color_;
    int width_;
    bool visible_;
};

} // namespace signova
