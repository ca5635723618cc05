#pragma once

#include "chart/chart_pen.h"
#include "chart/chart_series.h"

namespace signova {

// A series drawn as one vertical bar per point, from the origin (0) to the
// point's y value, filled with the point's colour and outlined by BarPen.
class TBarSeries : public TChartSeries {
public:
    static constexpr int DefaultBarWidthPercent = 70;

    TBarSeries(TChart& chart, std::string name);

    // The bar width as a percentage of the room each point has (1 to 100).
    int BarWidthPercent() const { return barWidthPercent_; }
    void SetBarWidthPercent(int percent);
    TChartPen& BarPen() { return barPen_; }
    const TChartPen& BarPen() const { return barPen_; }
    double YOrigin() const { return 0.0; }

private:
    int barWidthPercent_ = DefaultBarWidthPercent;
    TChartPen barPen_;
};

} // namespace signova
