#pragma once

#include "chart/chart_pen.h"
#include "toolkit/colors.h"

namespace signova {

class TChart;

enum class AxisPosition { Left, Right, Top, Bottom };

// One of the four axes of a chart: its range (automatic, or a fixed Minimum
// and Maximum), the grid spacing, and how its line, grid, ticks and labels look.
class TChartAxis {
public:
    TChartAxis(TChart& chart, AxisPosition position);
    TChartAxis(const TChartAxis&) = delete;
    TChartAxis& operator=(const TChartAxis&) = delete;

    AxisPosition Position() const { return position_; }
    bool IsHorizontal() const {
        return position_ == AxisPosition::Top || position_ == AxisPosition::Bottom;
    }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // An automatic axis spans the values of the active series attached to it.
    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool automatic);
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    // Fixes the range; the axis is no longer automatic.
    void SetMinMax(double minimum, double maximum);

    // Distance between grid lines in axis units; 0 chooses a readable step.
    double Increment() const { return increment_; }
    void SetIncrement(double increment);

    TChartPen& AxisPen() { return axisPen_; }
    const TChartPen& AxisPen() const { return axisPen_; }
    // Grid lines are always solid.
    TChartPen& Grid() { return grid_; }
    const TChartPen& Grid() const { return grid_; }
    TChartPen& Ticks() { return ticks_; }
    const TChartPen& Ticks() const { return ticks_; }
    int TickLength() const { return tickLength_; }
    void SetTickLength(int length);

    bool LabelsVisible() const { return labelsVisible_; }
    void SetLabelsVisible(bool visible);
    TColor LabelsColor() const { return labelsColor_; }
    void SetLabelsColor(TColor color);

private:
    void Changed();

    TChart& chart_;
    AxisPosition position_;
    bool visible_ = true;
    bool automatic_ = true;
    double minimum_ = 0.0;
    double maximum_ = 0.0;
    double increment_ = 0.0;
    TChartPen axisPen_;
    TChartPen grid_;
    TChartPen ticks_;
    int tickLength_ = 4;
    bool labelsVisible_ = true;
    TColor labelsColor_ = clBlack;
};

} // namespace signova
