#include "chart/chart.h"
#include "chart/chart_bar_series.h"
#include "chart/chart_fast_line_series.h"
#include "chart/chart_layout.h"
#include "chart/chart_painter.h"
#include "chart/chart_point_series.h"
#include "tests/chart/chart_test_support.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace signova {
namespace {

using testing::MakeBareChart;
using testing::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

class PlotMargins : public ::testing::Test {
protected:
    PlotMargins() { MakeBareChart(chart, 0, 10, 0, 10); }
    CanvasRect Plot() const { return ComputeChartLayout(chart, 200, 200, metrics).plot; }
    TPointSeries& WidePoints() {
        auto& points = chart.AddSeries<TPointSeries>("Series3");
        points.Pointer().SetHorizSize(20);
        points.Pointer().SetVertSize(7);
        return points;
    }
    TChart chart;
    RecordingCanvas metrics;
};

TEST_F(PlotMargins, BareChartKeepsItsPadding) {
    EXPECT_EQ(Plot(), (CanvasRect{4, 4, 192, 192}));
}

TEST_F(PlotMargins, PointSeriesWidenThemToKeepMarkersWhole) {
    WidePoints();
    EXPECT_EQ(Plot(), (CanvasRect{21, 8, 158, 184}));
}

TEST_F(PlotMargins, OnlyWhenTheSwitchIsOn) {
    WidePoints().Pointer().SetInflateMargins(false);
    EXPECT_EQ(Plot(), (CanvasRect{4, 4, 192, 192}));
}

TEST_F(PlotMargins, OnlyForVisiblePointSeries) {
    auto& hidden = WidePoints();
    hidden.SetActive(false);
    EXPECT_EQ(Plot(), (CanvasRect{4, 4, 192, 192}));
    hidden.SetActive(true);
    hidden.Pointer().SetVisible(false);
    EXPECT_EQ(Plot(), (CanvasRect{4, 4, 192, 192}));
}

TEST_F(PlotMargins, BevelAndTicksAddToThem) {
    chart.SetBevelOuter(TBevelCut::Lowered);
    chart.LeftAxis().Ticks().SetVisible(true);
    chart.LeftAxis().SetTickLength(3);
    EXPECT_EQ(Plot(), (CanvasRect{8, 5, 187, 190}));
}

class AutomaticRange : public ::testing::Test {
protected:
    AutomaticRange() {
        MakeBareChart(chart, 0, 1, 0, 1);
        chart.BottomAxis().SetAutomatic(true);
        chart.LeftAxis().SetAutomatic(true);
    }
    ChartLayout Layout() const { return ComputeChartLayout(chart, 300, 200, metrics); }
    TChart chart;
    RecordingCanvas metrics;
};

TEST_F(AutomaticRange, SpansTheValuesOfTheActiveSeries) {
    auto& line = chart.AddSeries<TFastLineSeries>("Series1");
    line.AddPoint(2, -3, "", clLime);
    line.AddPoint(7, 9, "", clLime);
    auto& inactive = chart.AddSeries<TFastLineSeries>("Series2");
    inactive.AddPoint(-50, 100, "", clLime);
    inactive.SetActive(false);
    const ChartLayout layout = Layout();
    EXPECT_EQ(layout.Axis(AxisPosition::Bottom).minimum, 2);
    EXPECT_EQ(layout.Axis(AxisPosition::Bottom).maximum, 7);
    EXPECT_EQ(layout.Axis(AxisPosition::Left).minimum, -3);
    EXPECT_EQ(layout.Axis(AxisPosition::Left).maximum, 9);
}

TEST_F(AutomaticRange, OnlyOfTheSeriesAttachedToTheAxis) {
    auto& left = chart.AddSeries<TFastLineSeries>("Series1");
    left.AddPoint(0, 1, "", clLime);
    left.AddPoint(1, 2, "", clLime);
    auto& right = chart.AddSeries<TFastLineSeries>("Series2");
    right.SetVertAxis(TVertAxis::Right);
    right.AddPoint(0, 500, "", clLime);
    const ChartLayout layout = Layout();
    EXPECT_EQ(layout.Axis(AxisPosition::Left).maximum, 2);
    EXPECT_EQ(layout.Axis(AxisPosition::Right).maximum, 501); // one value: widened by 1
    EXPECT_TRUE(layout.Axis(AxisPosition::Right).drawn);
    EXPECT_FALSE(layout.Axis(AxisPosition::Top).drawn);
}

TEST_F(AutomaticRange, BarsIncludeTheirOrigin) {
    auto& bars = chart.AddSeries<TBarSeries>("Series1");
    bars.AddPoint(0, 2, "", DefaultColor);
    bars.AddPoint(47, 5, "", DefaultColor);
    const ChartLayout layout = Layout();
    EXPECT_EQ(layout.Axis(AxisPosition::Left).minimum, 0);
    EXPECT_EQ(layout.Axis(AxisPosition::Left).maximum, 5);
    // Half the gap between the two bars on either side.
    EXPECT_EQ(layout.Axis(AxisPosition::Bottom).minimum, -23.5);
    EXPECT_EQ(layout.Axis(AxisPosition::Bottom).maximum, 70.5);
    bars.Clear();
    bars.AddPoint(3, 1, "", DefaultColor); // one bar: a gap of 1
    EXPECT_EQ(Layout().Axis(AxisPosition::Bottom).minimum, 2.5);
    EXPECT_EQ(Layout().Axis(AxisPosition::Bottom).maximum, 3.5);
}

TEST_F(AutomaticRange, WholeNumberValuesGetWholeNumberLabels) {
    chart.BottomAxis().SetLabelsVisible(true);
    auto& bars = chart.AddSeries<TBarSeries>("Series1");
    bars.AddPoint(0, 0.5, "", DefaultColor);
    bars.AddPoint(1, 0.5, "", DefaultColor);
    EXPECT_EQ(Layout().Axis(AxisPosition::Bottom).step, 1);
    bars.AddPoint(1.5, 0.5, "", DefaultColor);
    EXPECT_EQ(Layout().Axis(AxisPosition::Bottom).step, 0.2);
}

TEST_F(AutomaticRange, WithoutDataSpansMinusOneToOne) {
    const ChartLayout layout = Layout();
    EXPECT_EQ(layout.Axis(AxisPosition::Left).minimum, -1);
    EXPECT_EQ(layout.Axis(AxisPosition::Left).maximum, 1);
}

TEST(FixedRange, AnEmptyRangeShowsOneUnit) {
    TChart chart;
    chart.BottomAxis().SetMinMax(5, 5);
    RecordingCanvas metrics;
    const ChartLayout layout = ComputeChartLayout(chart, 300, 200, metrics);
    EXPECT_EQ(layout.Axis(AxisPosition::Bottom).minimum, 5);
    EXPECT_EQ(layout.Axis(AxisPosition::Bottom).maximum, 6);
}

std::vector<int> GridPositions(const RecordingCanvas& canvas, Rgb grid, bool verticalLines) {
    std::vector<int> at;
    for (const auto* call : canvas.Of(Kind::Fill)) {
        if (call->color != grid)
            continue;
        for (const CanvasRect& rect : call->rects) {
            if (verticalLines && rect.width == 1 && rect.height > 1)
                at.push_back(rect.left);
            if (!verticalLines && rect.height == 1 && rect.width > 1)
                at.push_back(rect.top);
        }
    }
    return at;
}

TEST(GridLines, FallOnEveryMultipleOfTheIncrementWithinTheRange) {
    TChart chart;
    MakeBareChart(chart, 5, 95, -250,
                  250); // x pixel = 4 + 4 (x - 5), y pixel = 204 - 0.4 (y + 250)
    chart.BottomAxis().SetIncrement(20);
    chart.LeftAxis().SetIncrement(100);
    chart.BottomAxis().Grid().SetVisible(true);
    chart.LeftAxis().Grid().SetVisible(true);
    chart.BottomAxis().Grid().SetColor(clRed);
    chart.LeftAxis().Grid().SetColor(clBlue);
    chart.BottomAxis().AxisPen().SetVisible(false);
    chart.LeftAxis().AxisPen().SetVisible(false);
    RecordingCanvas canvas;
    ChartPainter painter;
    painter.Paint(chart, 369, 209, canvas);
    EXPECT_EQ(GridPositions(canvas, {255, 0, 0}, true), (std::vector<int>{64, 144, 224, 304}));
    EXPECT_EQ(GridPositions(canvas, {0, 0, 255}, false), (std::vector<int>{184, 144, 104, 64, 24}));
}

TEST(AxisLinesAndTicks, SitOnThePlotEdgesAndPointOutwards) {
    TChart chart;
    MakeBareChart(chart, 0, 10, 0, 10);
    chart.LeftAxis().SetIncrement(5);
    chart.LeftAxis().Ticks().SetVisible(true);
    chart.LeftAxis().Ticks().SetColor(clRed);
    chart.LeftAxis().SetTickLength(2);
    chart.LeftAxis().AxisPen().SetWidth(2);
    chart.LeftAxis().AxisPen().SetColor(clBlue);
    RecordingCanvas canvas;
    ChartPainter painter;
    painter.Paint(chart, 108, 109, canvas); // plot {7, 4, 97, 101}
    std::vector<CanvasRect> axis;
    std::vector<CanvasRect> ticks;
    for (const auto* call : canvas.Of(Kind::Fill)) {
        if (call->color == Rgb{0, 0, 255})
            axis = call->rects;
        if (call->color == Rgb{255, 0, 0})
            ticks = call->rects;
    }
    EXPECT_EQ(axis, (std::vector<CanvasRect>{{6, 4, 2, 101}}));
    EXPECT_EQ(ticks, (std::vector<CanvasRect>{{4, 104, 2, 1}, {4, 54, 2, 1}, {4, 4, 2, 1}}));
}

TEST(NiceSteps, AreOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_DOUBLE_EQ(NiceStep(0.0023), 0.005);
    EXPECT_DOUBLE_EQ(NiceStep(1.0), 1.0);
    EXPECT_DOUBLE_EQ(NiceStep(1.5), 2.0);
    EXPECT_DOUBLE_EQ(NiceStep(3.0), 5.0);
    EXPECT_DOUBLE_EQ(NiceStep(7.0), 10.0);
    EXPECT_DOUBLE_EQ(NiceStep(0.2), 0.2);
    EXPECT_DOUBLE_EQ(NiceStep(4100.0), 5000.0);
}

TEST(AxisLabelText, HasTheDecimalsOfTheStep) {
    EXPECT_EQ(DecimalsFor(0.005), 3);
    EXPECT_EQ(DecimalsFor(40.0), 0);
    EXPECT_EQ(DecimalsFor(0.2), 1);
    LabelBuffer buffer;
    EXPECT_EQ(FormatAxisLabel(0.0208333, 3, buffer), "0.021");
    EXPECT_EQ(FormatAxisLabel(-5.0, 0, buffer), "-5");
    EXPECT_EQ(FormatAxisLabel(-0.0001, 2, buffer), "0.00");
    EXPECT_EQ(FormatAxisLabel(1234.5, 1, buffer), "1234.5");
}

} // namespace
} // namespace signova
