#include "scope/scope_chart_setup.h"

namespace signova {
namespace {

constexpr TColor ScopePanelColor = 0x333300;
constexpr TColor ScopeGridColor = 0x004080;

void StyleScopeAxis(TChartAxis& axis, bool withGrid, int tickLength) {
    axis.AxisPen().SetColor(ScopeGridColor);
    axis.AxisPen().SetWidth(1);
    axis.Grid().SetColor(ScopeGridColor);
    axis.Grid().SetVisible(withGrid);
    axis.Ticks().SetColor(ScopeGridColor);
    axis.Ticks().SetVisible(tickLength > 0);
    axis.SetTickLength(tickLength);
    axis.SetLabelsVisible(false);
}

void StyleScopeMarkers(TPointSeries& series, int horizSize, TColor seriesColor) {
    series.SetSeriesColor(seriesColor);
    TSeriesPointer& pointer = series.Pointer();
    pointer.SetHorizSize(horizSize);
    pointer.SetVertSize(1);
    pointer.SetFillColor(clLime);
    pointer.Pen().SetVisible(false);
    pointer.SetInflateMargins(true);
}

} // namespace

ScopeChartSeries ConfigureScopeChart(TChart& chart) {
    chart.RemoveAllSeries();
    chart.SetColor(ScopePanelColor);
    chart.SetBevelOuter(TBevelCut::Lowered);
    chart.SetBackWallTransparent(true);
    chart.SetTitleVisible(false);

    chart.BottomAxis().SetMinMax(0.0, 400.0);
    chart.BottomAxis().SetIncrement(40.0);
    StyleScopeAxis(chart.BottomAxis(), true, 0);
    chart.LeftAxis().SetMinMax(0.0, 8000.0);
    chart.LeftAxis().SetIncrement(1000.0);
    StyleScopeAxis(chart.LeftAxis(), true, 1);
    // The input trace is attached to the top and right axes as well; they share
    // the bottom and left ranges and show only their lines.
    chart.TopAxis().SetMinMax(0.0, 400.0);
    StyleScopeAxis(chart.TopAxis(), false, 0);
    chart.RightAxis().SetMinMax(0.0, 8000.0);
    StyleScopeAxis(chart.RightAxis(), false, 0);

    ScopeChartSeries series;
    series.Series1 = &chart.AddSeries<TFastLineSeries>("Series1");
    series.Series1->SetSeriesColor(clLime);
    series.Series1->SetHorizAxis(THorizAxis::Both);
    series.Series1->SetVertAxis(TVertAxis::Both);

    series.Series2 = &chart.AddSeries<TFastLineSeries>("Series2");
    series.Series2->SetSeriesColor(clLime);
    series.Series2->SetColorEachPoint(true);

    series.Series3 = &chart.AddSeries<TPointSeries>("Series3");
    StyleScopeMarkers(*series.Series3, 3, clRed);
    series.Series4 = &chart.AddSeries<TPointSeries>("Series4");
    StyleScopeMarkers(*series.Series4, 2, clGreen);

    return series;
}

TBarSeries& ConfigureFirPlotChart(TChart& chart) {
    chart.RemoveAllSeries();
    chart.SetTitleText({"FIR co\xC3\xAB"
                        "fici\xC3\xAB"
                        "nten"});
    chart.SetTitleVisible(true);
    chart.SetBackWallTransparent(true);
    for (AxisPosition position : {AxisPosition::Left, AxisPosition::Bottom}) {
        chart.Axis(position).SetAutomatic(true);
        chart.Axis(position).SetIncrement(0.0);
        chart.Axis(position).SetLabelsVisible(true);
    }

    TBarSeries& bars = chart.AddSeries<TBarSeries>("Series1");
    bars.SetSeriesColor(clRed);
    bars.BarPen().SetColor(clRed);
    bars.SetBarWidthPercent(8);
    return bars;
}

} // namespace signova
