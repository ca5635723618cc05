#include "chart/chart_painter.h"
#include "scope/scope_chart_setup.h"
#include "tests/chart/recording_canvas.h"
#include "tests/support/scope_series.h"

#include <gtest/gtest.h>

#include <vector>

namespace signova {
namespace {

using testing::FindScopeChartSeries;
using testing::RecordingCanvas;
using Kind = RecordingCanvas::Kind;
using Rects = std::vector<CanvasRect>;

constexpr Rgb Teal{0, 51, 51};
constexpr Rgb Brown{128, 64, 0};

TEST(ScopeChartConfiguration, HasFourSeriesInDrawingOrder) {
    TChart chart;
    const ScopeChartSeries series = ConfigureScopeChart(chart);
    ASSERT_EQ(chart.SeriesCount(), 4u);
    EXPECT_EQ(&chart.Series(0), series.Series1);
    EXPECT_EQ(&chart.Series(3), series.Series4);
    const ScopeChartSeries found = FindScopeChartSeries(chart);
    EXPECT_EQ(found.Series2, series.Series2);
    EXPECT_EQ(found.Series3, series.Series3);
    EXPECT_EQ(series.Series1->HorizAxis(), THorizAxis::Both);
    EXPECT_EQ(series.Series1->VertAxis(), TVertAxis::Both);
    EXPECT_EQ(series.Series2->LinePen().Color(), clLime);
    EXPECT_TRUE(series.Series2->ColorEachPoint());
    EXPECT_EQ(series.Series3->Pointer().HorizSize(), 3);
    EXPECT_EQ(series.Series4->Pointer().HorizSize(), 2);
    EXPECT_EQ(series.Series4->Pointer().VertSize(), 1);
    EXPECT_EQ(series.Series3->SeriesColor(), clRed);
    EXPECT_EQ(series.Series4->SeriesColor(), clGreen);
    EXPECT_FALSE(series.Series4->Pointer().Pen().Visible());
}

TEST(ScopeChartConfiguration, ConfiguringAgainReplacesTheSeries) {
    TChart chart;
    ConfigureScopeChart(chart);
    ConfigureScopeChart(chart);
    EXPECT_EQ(chart.SeriesCount(), 4u);
}

// 369 x 295 panel: 1 pixel bevel and 4 pixels padding on every side, plus the
// left axis' 1 pixel ticks: plot area from (6, 5) to (363, 289).
class ScopeChartFrame : public ::testing::Test {
protected:
    ScopeChartFrame() {
        ConfigureScopeChart(chart);
        ChartPainter painter;
        painter.Paint(chart, 369, 295, canvas);
    }
    TChart chart;
    RecordingCanvas canvas;
    std::vector<const RecordingCanvas::Call*> BrownFills() const {
        std::vector<const RecordingCanvas::Call*> found;
        for (const auto* call : canvas.Of(Kind::Fill)) {
            if (call->color == Brown)
                found.push_back(call);
        }
        return found;
    }
};

TEST_F(ScopeChartFrame, PanelIsTealWithALoweredBevel) {
    ASSERT_GE(canvas.calls.size(), 3u);
    EXPECT_EQ(canvas.calls[0].color, Teal);
    EXPECT_EQ(canvas.calls[0].rects, (Rects{{0, 0, 369, 295}}));
    EXPECT_EQ(canvas.calls[1].color, (Rgb{160, 160, 160})); // shadow along the top
    EXPECT_EQ(canvas.calls[1].rects, (Rects{{0, 0, 369, 1}}));
}

TEST_F(ScopeChartFrame, HasNoTextAndNoBackWall) {
    EXPECT_TRUE(canvas.Of(Kind::Text).empty());
    for (const auto* call : canvas.Of(Kind::Fill))
        EXPECT_TRUE(call->color == Teal || call->color == Brown || call->rects[0].height == 1 ||
                    call->rects[0].width == 1);
}

TEST_F(ScopeChartFrame, DrawsTheGridThenEachAxisLineWithItsTicks) {
    const auto brown = BrownFills();
    // Left grid, bottom grid; left line and ticks; right, top and bottom lines.
    ASSERT_EQ(brown.size(), 7u);
    const Rects& horizontal = brown[0]->rects;
    ASSERT_EQ(horizontal.size(), 9u);
    EXPECT_EQ(horizontal[0], (CanvasRect{6, 289, 358, 1}));
    EXPECT_EQ(horizontal[2], (CanvasRect{6, 218, 358, 1})); // 289 - 71
    EXPECT_EQ(horizontal[8], (CanvasRect{6, 5, 358, 1}));
    const Rects& vertical = brown[1]->rects;
    ASSERT_EQ(vertical.size(), 11u);
    EXPECT_EQ(vertical[0], (CanvasRect{6, 5, 1, 285}));
    EXPECT_EQ(vertical[1], (CanvasRect{42, 5, 1, 285})); // 6 + 35.7
    EXPECT_EQ(vertical[2], (CanvasRect{77, 5, 1, 285})); // 6 + 71.4
    EXPECT_EQ(vertical[10], (CanvasRect{363, 5, 1, 285}));
    EXPECT_EQ(brown[2]->rects, (Rects{{6, 5, 1, 285}}));
    const Rects& ticks = brown[3]->rects;
    ASSERT_EQ(ticks.size(), 9u);
    EXPECT_EQ(ticks[2], (CanvasRect{5, 218, 1, 1}));
    EXPECT_EQ(brown[4]->rects, (Rects{{363, 5, 1, 285}}));
    EXPECT_EQ(brown[5]->rects, (Rects{{6, 5, 358, 1}}));
    EXPECT_EQ(brown[6]->rects, (Rects{{6, 289, 358, 1}}));
}

TEST(FirPlotChartConfiguration, TitleAndSelfScalingLabelledAxes) {
    TChart chart;
    TBarSeries& bars = ConfigureFirPlotChart(chart);
    EXPECT_EQ(chart.TitleText(), (std::vector<std::string>{"FIR co\xC3\xAB"
                                                           "fici\xC3\xAB"
                                                           "nten"}));
    EXPECT_EQ(bars.Name(), "Series1");
    EXPECT_EQ(bars.BarWidthPercent(), 8);
    EXPECT_EQ(bars.SeriesColor(), clRed);
    EXPECT_EQ(bars.BarPen().Color(), clRed);
    for (int i = 0; i < 48; ++i)
        bars.AddPoint(i, 0.0208333333333333, "", DefaultColor);

    RecordingCanvas canvas;
    ChartPainter painter;
    painter.Paint(chart, 517, 289, canvas);
    std::vector<std::string> texts;
    for (const auto* call : canvas.Of(Kind::Text))
        texts.push_back(call->text);
    const std::vector<std::string> expected{"FIR co\xC3\xAB"
                                            "fici\xC3\xAB"
                                            "nten",
                                            "0.000",
                                            "0.005",
                                            "0.010",
                                            "0.015",
                                            "0.020",
                                            "0",
                                            "5",
                                            "10",
                                            "15",
                                            "20",
                                            "25",
                                            "30",
                                            "35",
                                            "40",
                                            "45"};
    EXPECT_EQ(texts, expected);
}

} // namespace
} // namespace signova
