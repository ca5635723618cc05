#include "chart/chart.h"
#include "chart/chart_bar_series.h"
#include "chart/chart_fast_line_series.h"
#include "chart/chart_painter.h"
#include "chart/chart_point_series.h"
#include "tests/chart/chart_test_support.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace signova {
namespace {

using testing::BarePanel;
using testing::MakeBareChart;
using testing::RecordingCanvas;
using Kind = RecordingCanvas::Kind;
using Points = std::vector<CanvasPoint>;
using Rects = std::vector<CanvasRect>;

constexpr Rgb Lime{0, 255, 0};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Black{0, 0, 0};

// x 0..100 and y 0..10 on a 101 x 101 pixel plot area at (4, 4):
// x pixel = 4 + x, y pixel = 104 - 10 y.
class SeriesPainting : public ::testing::Test {
protected:
    SeriesPainting() { MakeBareChart(chart, 0, 100, 0, 10); }

    // The calls that draw the series, after the frame.
    std::vector<RecordingCanvas::Call> PaintedSeries() {
        RecordingCanvas frameAndSeries;
        painter.Paint(chart, BarePanel(101), BarePanel(101), frameAndSeries);
        std::vector<RecordingCanvas::Call> series;
        bool clipped = false;
        for (const auto& call : frameAndSeries.calls) {
            if (call.kind == Kind::SetClip)
                clipped = true;
            else if (call.kind == Kind::ClearClip)
                clipped = false;
            else if (clipped)
                series.push_back(call);
        }
        return series;
    }
    Points OnePolyline() {
        const auto calls = PaintedSeries();
        EXPECT_EQ(calls.size(), 1u);
        if (calls.size() != 1 || calls[0].kind != Kind::Polyline)
            return {};
        return calls[0].points;
    }

    TChart chart;
    ChartPainter painter;
};

TEST_F(SeriesPainting, EqualXPointsGiveAVerticalSegment) {
    auto& line = chart.AddSeries<TFastLineSeries>("Series1");
    line.AddPoint(10, 1, "", clLime);
    line.AddPoint(10, 5, "", clLime);
    EXPECT_EQ(OnePolyline(), (Points{{14, 94}, {14, 54}}));
}

TEST_F(SeriesPainting, AnEarlierPointAddedLaterIsDrawnFirst) {
    auto& line = chart.AddSeries<TFastLineSeries>("Series1");
    line.AddPoint(10, 1, "", clLime);
    line.AddPoint(5, 0, "", clLime);
    EXPECT_EQ(OnePolyline(), (Points{{9, 104}, {14, 94}}));
}

TEST_F(SeriesPainting, SeriesAreClippedToThePlotArea) {
    chart.AddSeries<TFastLineSeries>("Series1").AddPoint(10, 1, "", clLime);
    RecordingCanvas canvas;
    painter.Paint(chart, BarePanel(101), BarePanel(101), canvas);
    const auto clips = canvas.Of(Kind::SetClip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0]->rects[0], (CanvasRect{4, 4, 101, 101}));
    EXPECT_EQ(canvas.calls.back().kind, Kind::ClearClip);
}

TEST_F(SeriesPainting, FastLineStartsAtThePredecessorAndStopsAtTheFirstPointBeyond) {
    auto& line = chart.AddSeries<TFastLineSeries>("Series1");
    for (double x : {-20.0, -10.0, 5.0, 50.0, 100.0, 120.0, 130.0})
        line.AddPoint(x, 0, "", clLime);
    EXPECT_EQ(OnePolyline(), (Points{{-6, 104}, {9, 104}, {54, 104}, {104, 104}}));
}

TEST_F(SeriesPainting, FastLineDrawsTheFirstPointBeyondTheRightEnd) {
    auto& line = chart.AddSeries<TFastLineSeries>("Series1");
    for (double x : {95.0, 105.0, 130.0})
        line.AddPoint(x, 0, "", clLime);
    EXPECT_EQ(OnePolyline(), (Points{{99, 104}, {109, 104}}));
}

TEST_F(SeriesPainting, NothingIsDrawnWhenEveryPointIsLeftOfTheRange) {
    auto& line = chart.AddSeries<TFastLineSeries>("Series1");
    line.AddPoint(-5, 1, "", clLime);
    line.AddPoint(-3, 2, "", clLime);
    EXPECT_TRUE(PaintedSeries().empty());
}

TEST_F(SeriesPainting, PointsOnTheSamePixelAreSkipped) {
    auto& line = chart.AddSeries<TFastLineSeries>("Series1");
    line.AddPoint(10, 1, "", clLime);
    line.AddPoint(10.2, 1, "", clLime);
    line.AddPoint(10.4, 1.01, "", clLime);
    line.AddPoint(20, 1, "", clLime);
    EXPECT_EQ(OnePolyline(), (Points{{14, 94}, {24, 94}}));
}

// A gap point ends the line; a piece of one point draws nothing, and a gap
// at either end leaves the rest one line.
TEST_F(SeriesPainting, AGapPointBreaksTheFastLine) {
    auto& line = chart.AddSeries<TFastLineSeries>("Series1");
    const double gap = TFastLineSeries::GapY;
    for (auto [x, y] : std::vector<std::pair<double, double>>{
             {0, gap}, {10, 1}, {20, 2}, {30, gap}, {40, 3}, {50, 4}, {60, gap}, {70, 5},
             {80, gap}, {90, 6}, {100, 7}})
        line.AddPoint(x, y, "", clLime);
    const auto calls = PaintedSeries();
    std::vector<Points> lines;
    for (const auto& call : calls)
        lines.push_back(call.points);
    EXPECT_EQ(lines, (std::vector<Points>{{{14, 94}, {24, 84}},
                                          {{44, 74}, {54, 64}},
                                          {{94, 44}, {104, 34}}}));
}

TEST_F(SeriesPainting, FastLineUsesItsPenColourWhateverThePointColours) {
    auto& line = chart.AddSeries<TFastLineSeries>("Series2");
    line.SetSeriesColor(clRed);
    line.LinePen().SetColor(clLime);
    line.SetColorEachPoint(true);
    line.AddPoint(10, 1, "", clRed);
    line.AddPoint(20, 2, "", clGreen);
    line.AddPoint(30, 3, "", DefaultColor);
    const auto calls = PaintedSeries();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, Kind::Polyline);
    EXPECT_EQ(calls[0].color, Lime);
    EXPECT_EQ(calls[0].width, 1);
    EXPECT_EQ(calls[0].points.size(), 3u);
}

TEST_F(SeriesPainting, MarkerWithOutlineSpansFiveByThree) {
    auto& points = chart.AddSeries<TPointSeries>("Series4");
    points.Pointer().SetHorizSize(2);
    points.Pointer().SetVertSize(1);
    points.Pointer().SetFillColor(clLime);
    points.Pointer().Pen().SetColor(clBlack);
    points.AddPoint(50, 5, "", clGreen);
    const auto calls = PaintedSeries();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Kind::Fill);
    EXPECT_EQ(calls[0].color, Lime);
    EXPECT_EQ(calls[0].rects, (Rects{{52, 53, 5, 3}}));
    EXPECT_EQ(calls[1].kind, Kind::Frame);
    EXPECT_EQ(calls[1].color, Black);
    EXPECT_EQ(calls[1].rects, (Rects{{52, 53, 5, 3}}));
}

TEST_F(SeriesPainting, MarkersWithoutOutlineAreOneFillInThePointerColour) {
    auto& points = chart.AddSeries<TPointSeries>("Series3");
    points.SetSeriesColor(clRed);
    points.Pointer().SetHorizSize(3);
    points.Pointer().SetVertSize(1);
    points.Pointer().SetFillColor(clLime);
    points.Pointer().Pen().SetVisible(false);
    points.AddPoint(10, 1, "", clLime);
    points.AddPoint(20, 2, "", clGreen);
    const auto calls = PaintedSeries();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].color, Lime);
    EXPECT_EQ(calls[0].rects, (Rects{{11, 93, 7, 3}, {21, 83, 7, 3}}));
}

TEST_F(SeriesPainting, MarkersWithDefaultFillTakeThePointColour) {
    auto& points = chart.AddSeries<TPointSeries>("Series3");
    points.SetSeriesColor(clRed);
    points.Pointer().Pen().SetVisible(false);
    points.AddPoint(10, 1, "", DefaultColor);
    points.AddPoint(20, 1, "", clLime);
    const auto calls = PaintedSeries();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].color, Red);
    EXPECT_EQ(calls[1].color, Lime);
}

TEST_F(SeriesPainting, MarkersStopAtTheFirstPointBeyondAndHaveNoPredecessor) {
    auto& points = chart.AddSeries<TPointSeries>("Series3");
    points.Pointer().SetHorizSize(1);
    points.Pointer().SetVertSize(1);
    points.Pointer().Pen().SetVisible(false);
    for (double x : {-10.0, 0.0, 60.0, 101.0, 102.0})
        points.AddPoint(x, 0, "", clLime);
    const auto calls = PaintedSeries();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rects, (Rects{{3, 103, 3, 3}, {63, 103, 3, 3}, {104, 103, 3, 3}}));
}

TEST_F(SeriesPainting, InactiveSeriesAreNotDrawnAndLaterSeriesComeLater) {
    auto& hidden = chart.AddSeries<TFastLineSeries>("Series1");
    auto& first = chart.AddSeries<TFastLineSeries>("Series2");
    auto& second = chart.AddSeries<TPointSeries>("Series3");
    for (auto* series : std::initializer_list<TChartSeries*>{&hidden, &first, &second}) {
        series->AddPoint(10, 1, "", clLime);
        series->AddPoint(20, 2, "", clLime);
    }
    hidden.SetActive(false);
    const auto calls = PaintedSeries();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, Kind::Polyline);
    EXPECT_EQ(calls[1].kind, Kind::Fill);
    EXPECT_EQ(calls[2].kind, Kind::Frame);
}

TEST_F(SeriesPainting, BarsRiseFromZeroAndOnlyWithinTheRange) {
    chart.LeftAxis().SetMinMax(-10, 10); // y pixel = 54 - 5 y
    chart.BottomAxis().SetMinMax(0, 10); // x pixel = 4 + 10 x
    auto& bars = chart.AddSeries<TBarSeries>("Series1");
    bars.SetSeriesColor(clRed);
    bars.BarPen().SetColor(clBlack);
    for (double x : {-1.0, 0.0, 5.0, 10.0, 11.0})
        bars.AddPoint(x, x == 5.0 ? -4.0 : 2.0, "", DefaultColor);
    // 100 pixels / 6 = 16, 70 % of 16 = 11.2 -> 11, odd -> 12.
    const Rects expected{{-2, 44, 12, 11}, {48, 54, 12, 21}, {98, 44, 12, 11}};
    const auto calls = PaintedSeries();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Kind::Fill);
    EXPECT_EQ(calls[0].color, Red);
    EXPECT_EQ(calls[0].rects, expected);
    EXPECT_EQ(calls[1].kind, Kind::Frame);
    EXPECT_EQ(calls[1].color, Black);
    EXPECT_EQ(calls[1].rects, expected);
}

TEST(BarPainting, FortyEightBarsOnFourHundredNinetyPixelsAreTwoWide) {
    TChart chart;
    MakeBareChart(chart, 0, 47, 0, 1);
    auto& bars = chart.AddSeries<TBarSeries>("Series1");
    bars.SetBarWidthPercent(8);
    for (int i = 0; i < 48; ++i)
        bars.AddPoint(i, 0.5, "", DefaultColor);
    RecordingCanvas canvas;
    ChartPainter painter;
    painter.Paint(chart, BarePanel(491), BarePanel(101), canvas);
    const auto fills = canvas.Of(Kind::Fill);
    const Rects& rects = fills.back()->rects;
    ASSERT_EQ(rects.size(), 48u);
    EXPECT_EQ(rects.front(), (CanvasRect{3, 54, 2, 51}));
    EXPECT_EQ(rects.back(), (CanvasRect{493, 54, 2, 51}));
    for (const CanvasRect& rect : rects)
        EXPECT_EQ(rect.width, 2);
}

TEST(BarPainting, EndBarsOfAnAutomaticAxisStandWholeInsideThePlot) {
    // A comb: only the first and the last of 48 taps are not zero.
    TChart chart;
    MakeBareChart(chart, 0, 1, 0, 1);
    chart.BottomAxis().SetAutomatic(true);
    auto& bars = chart.AddSeries<TBarSeries>("Series1");
    bars.SetBarWidthPercent(8);
    for (int i = 0; i < 48; ++i)
        bars.AddPoint(i, i == 0 || i == 47 ? 1.0 : 0.0, "", DefaultColor);
    RecordingCanvas canvas;
    ChartPainter painter;
    painter.Paint(chart, BarePanel(491), BarePanel(101), canvas);
    const Rects& rects = canvas.Of(Kind::Fill).back()->rects;
    ASSERT_EQ(rects.size(), 48u);
    // x pixel = 4 + 490 (x + 0.5) / 48: bar 0 centred on 9, bar 47 on 489.
    EXPECT_EQ(rects.front(), (CanvasRect{8, 4, 2, 101}));
    EXPECT_EQ(rects.back(), (CanvasRect{488, 4, 2, 101}));
}

class BarWidthRule : public ::testing::TestWithParam<std::tuple<int, int, int, int>> {};

TEST_P(BarWidthRule, DividesRoundsAndMakesEven) {
    const auto [length, count, percent, width] = GetParam();
    EXPECT_EQ(ChartPainter::BarWidth(length, static_cast<std::size_t>(count), percent), width);
}

INSTANTIATE_TEST_SUITE_P(Cases, BarWidthRule,
                         ::testing::Values(std::make_tuple(490, 48, 8, 2),
                                           std::make_tuple(490, 48, 70, 8),
                                           std::make_tuple(490, 48, 100, 10),
                                           std::make_tuple(100, 3, 50, 14),
                                           std::make_tuple(100, 3, 49, 12),
                                           // Too many bars for the room: still 1 pixel.
                                           std::make_tuple(490, 300, 8, 1)));

} // namespace
} // namespace signova
