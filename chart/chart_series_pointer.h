#pragma once

#include "chart/chart_pen.h"
#include "toolkit/colors.h"

namespace signova {

class TChart;

// The marker of a point series, a rectangle. HorizSize and VertSize are half-sizes: a
// marker reaches that many pixels left and right / up and down of its point.
class TSeriesPointer {
public:
    static constexpr int DefaultSize = 4;

    explicit TSeriesPointer(TChart& chart);
    TSeriesPointer(const TSeriesPointer&) = delete;
    TSeriesPointer& operator=(const TSeriesPointer&) = delete;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    int HorizSize() const { return horizSize_; }
    // Throws PointerSizeError for a size below 1 and keeps the old size.
    void SetHorizSize(int size);
    int VertSize() const { return vertSize_; }
    // Throws PointerSizeError for a size below 1 and keeps the old size.
    void SetVertSize(int size);

    // The fill; DefaultColor fills each marker with its point's colour.
    TColor FillColor() const { return fillColor_; }
    void SetFillColor(TColor color);
    // The outline, drawn only when the pen is visible.
    TChartPen& Pen() { return pen_; }
    const TChartPen& Pen() const { return pen_; }

    // Widens the chart's margins so markers at the edges stay whole.
    bool InflateMargins() const { return inflateMargins_; }
    void SetInflateMargins(bool on);

private:
    void Changed();

    TChart& chart_;
    bool visible_ = true;
    int horizSize_ = DefaultSize;
    int vertSize_ = DefaultSize;
    TColor fillColor_ = DefaultColor;
    TChartPen pen_;
    bool inflateMargins_ = true;
};

} // namespace signova
