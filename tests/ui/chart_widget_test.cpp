#include "chart/chart_bar_series.h"
#include "engine/simulator_state.h"
#include "scope/scope_chart_setup.h"
#include "scope/trace_plot.h"
#include "tests/support/sine_sweep.h"
#include "ui/chart_widget.h"
#include "ui/painter_canvas.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <vector>

namespace {

using signova::CanvasPoint;
using signova::CanvasRect;
using signova::Rgb;

constexpr QRgb Teal = qRgb(0, 51, 51);
constexpr QRgb Brown = qRgb(128, 64, 0);
constexpr QRgb Lime = qRgb(0, 255, 0);
constexpr QRgb Green = qRgb(0, 128, 0);
constexpr QRgb Red = qRgb(255, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);

QString OutputPath(const char* name) {
    return QStringLiteral(SIGNOVA_CHART_PNG_DIR "/") + QString::fromLatin1(name);
}

QImage Render(ChartWidget& widget, qreal ratio = 1.0) {
    QImage image(qRound(widget.width() * ratio), qRound(widget.height() * ratio),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(White);
    QPainter painter(&image);
    widget.PaintTo(painter);
    return image;
}

class PainterCanvasPixels : public ::testing::Test {
protected:
    PainterCanvasPixels() : image(40, 30, QImage::Format_RGB32) {
        image.fill(White);
        painter.begin(&image);
        canvas.Attach(&painter);
    }
    QImage& Finished() {
        painter.end();
        return image;
    }
    QImage image;
    QPainter painter;
    PainterCanvas canvas;
};

TEST_F(PainterCanvasPixels, FilledRectanglesCoverExactlyTheirPixels) {
    const std::vector<CanvasRect> rects{{2, 3, 5, 4}, {10, 10, 1, 1}};
    canvas.FillRects(rects, Rgb{255, 0, 0});
    const QImage& done = Finished();
    EXPECT_EQ(done.pixel(2, 3), Red);
    EXPECT_EQ(done.pixel(6, 6), Red);
    EXPECT_EQ(done.pixel(7, 6), White);
    EXPECT_EQ(done.pixel(6, 7), White);
    EXPECT_EQ(done.pixel(1, 3), White);
    EXPECT_EQ(done.pixel(10, 10), Red);
    EXPECT_EQ(done.pixel(11, 10), White);
}

TEST_F(PainterCanvasPixels, AFrameIsTheOutermostPixels) {
    const std::vector<CanvasRect> rects{{10, 10, 5, 3}};
    canvas.FrameRects(rects, Rgb{255, 0, 0});
    const QImage& done = Finished();
    EXPECT_EQ(done.pixel(10, 10), Red);
    EXPECT_EQ(done.pixel(14, 12), Red);
    EXPECT_EQ(done.pixel(14, 10), Red);
    EXPECT_EQ(done.pixel(12, 11), White);
    EXPECT_EQ(done.pixel(15, 10), White);
    EXPECT_EQ(done.pixel(10, 13), White);
}

// A shrunk text is measured and drawn at its share of the painter's font, in
// pixel and in point sizes, and ShrinkText(1) gives the font back as it was.
TEST_F(PainterCanvasPixels, ShrunkTextTakesItsShareOfTheFontAndGivesItBack) {
    for (const bool pixels : {true, false}) {
        QFont font = painter.font();
        if (pixels)
            font.setPixelSize(24);
        else
            font.setPointSizeF(24.0);
        painter.setFont(font);
        const int ownHeight = canvas.TextHeight();
        const int ownWidth = canvas.TextWidth("1.000 ms/div");
        canvas.ShrinkText(2);
        EXPECT_EQ(pixels ? painter.font().pixelSize() : painter.font().pointSizeF(), 12);
        EXPECT_LT(canvas.TextHeight(), ownHeight * 2 / 3);
        EXPECT_LT(canvas.TextWidth("1.000 ms/div"), ownWidth * 2 / 3);
        canvas.ShrinkText(3);
        EXPECT_EQ(pixels ? painter.font().pixelSize() : painter.font().pointSizeF(), 8);
        canvas.ShrinkText(1);
        EXPECT_EQ(painter.font(), font);
        EXPECT_EQ(canvas.TextHeight(), ownHeight);
    }
}

TEST_F(PainterCanvasPixels, APolylineCoversBothEnds) {
    const std::vector<CanvasPoint> points{{20, 5}, {20, 9}, {25, 9}};
    canvas.Polyline(points, Rgb{0, 255, 0}, 1);
    const QImage& done = Finished();
    EXPECT_EQ(done.pixel(20, 5), Lime);
    EXPECT_EQ(done.pixel(20, 7), Lime);
    EXPECT_EQ(done.pixel(23, 9), Lime);
    EXPECT_EQ(done.pixel(25, 9), Lime);
    EXPECT_EQ(done.pixel(20, 4), White);
    EXPECT_EQ(done.pixel(26, 9), White);
    EXPECT_EQ(done.pixel(21, 8), White);
}

TEST_F(PainterCanvasPixels, ClippingKeepsDrawingInside) {
    canvas.SetClip({5, 5, 10, 10});
    canvas.FillRect({0, 0, 40, 30}, Rgb{255, 0, 0});
    canvas.ClearClip();
    canvas.FillRect({30, 20, 1, 1}, Rgb{0, 255, 0});
    const QImage& done = Finished();
    EXPECT_EQ(done.pixel(5, 5), Red);
    EXPECT_EQ(done.pixel(14, 14), Red);
    EXPECT_EQ(done.pixel(15, 14), White);
    EXPECT_EQ(done.pixel(4, 5), White);
    EXPECT_EQ(done.pixel(30, 20), Lime);
}

// The scope chart at its size in the main window, 369 x 267: plot area from
// (6, 5) to (363, 261); x pixel = 6 + 357 x / 400, y pixel = 261 - 256 y / 8000.
class ScopeChartImage : public ::testing::Test {
protected:
    ScopeChartImage() : widget(chart) {
        signova::ConfigureScopeChart(chart);
        widget.resize(369, 267);
    }
    signova::TChart chart;
    ChartWidget widget;
};

TEST_F(ScopeChartImage, SmoothedSweepShowsTealPanelBrownGridAndLimeTraces) {
    signova::testing::PlotSineSweep(chart, true);
    const QImage image = Render(widget);
    ASSERT_TRUE(image.save(OutputPath("scope_chart.png")));
    EXPECT_EQ(image.pixel(20, 100), Teal);  // between the traces, off the grid
    EXPECT_EQ(image.pixel(42, 100), Brown); // grid line of 40 units
    EXPECT_EQ(image.pixel(20, 133), Brown); // grid line of 4000 units
    EXPECT_EQ(image.pixel(5, 133), Brown);  // its tick
    EXPECT_EQ(image.pixel(4, 133), Teal);
    EXPECT_EQ(image.pixel(200, 261), Brown); // bottom axis line
    // The input trace crosses every column within 7000 +- 2000/3 (rows 15 to 59).
    int lime = 0;
    for (int y = 14; y <= 60; ++y)
        lime += image.pixel(200, y) == Lime ? 1 : 0;
    EXPECT_GE(lime, 1);
    EXPECT_EQ(image.pixel(0, 0), qRgb(160, 160, 160)); // lowered bevel
}

TEST_F(ScopeChartImage, StepSweepShowsGreenTracesWithLimeMarkers) {
    signova::testing::PlotSineSweep(chart, false);
    const QImage image = Render(widget);
    ASSERT_TRUE(image.save(OutputPath("scope_chart_steps.png")));
    // The output trace starts at its zero line, 3000 (row 165); the markers
    // cover most of the green steps.
    EXPECT_EQ(image.pixel(6, 165), Green);
    int green = 0;
    int lime = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            green += image.pixel(x, y) == Green ? 1 : 0;
            lime += image.pixel(x, y) == Lime ? 1 : 0;
        }
    }
    EXPECT_GT(green, 100);
    EXPECT_GT(lime, 1000);
}

TEST_F(ScopeChartImage, IsSharpAtTwiceTheDevicePixelRatio) {
    const QImage image = Render(widget, 2.0);
    EXPECT_EQ(image.pixel(83, 200), Teal);
    EXPECT_EQ(image.pixel(84, 200), Brown);
    EXPECT_EQ(image.pixel(85, 200), Brown);
    EXPECT_EQ(image.pixel(86, 200), Teal);
}

TEST_F(ScopeChartImage, FrameIsRebuiltOnlyForSizeOrConfiguration) {
    signova::testing::PlotSineSweep(chart, true);
    Render(widget);
    EXPECT_EQ(widget.FrameBuilds(), 1);
    signova::testing::PlotSineSweep(chart, false); // new points, pens and marker sizes
    Render(widget);
    EXPECT_EQ(widget.FrameBuilds(), 1);
    chart.LeftAxis().Grid().SetColor(signova::clRed);
    const QImage recoloured = Render(widget);
    EXPECT_EQ(widget.FrameBuilds(), 2);
    EXPECT_EQ(recoloured.pixel(20, 133), Red);
    widget.resize(400, 300);
    Render(widget);
    EXPECT_EQ(widget.FrameBuilds(), 3);
}

TEST_F(ScopeChartImage, ManyChangesBetweenPaintsGiveOnePaint) {
    int paints = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& counter) : count(counter) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                ++count;
            return false;
        }
    } counter(paints);
    widget.installEventFilter(&counter);
    using Ms = std::chrono::milliseconds;
    signova::RepaintPacing::TimePoint now{Ms(1000)};
    widget.SetClock([&now] { return now; });
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QApplication::processEvents();
    paints = 0;
    // Within the frame interval of the last paint: the paint waits for its end.
    now += Ms(5);
    signova::testing::PlotSineSweep(chart, true);
    signova::testing::PlotSineSweep(chart, false);
    EXPECT_TRUE(chart.NeedsRepaint());
    EXPECT_TRUE(widget.RepaintDeferred());
    EXPECT_EQ(paints, 0);
    ASSERT_TRUE(QTest::qWaitFor([&paints] { return paints > 0; }, 10000));
    EXPECT_EQ(paints, 1);
    EXPECT_FALSE(chart.NeedsRepaint());
    EXPECT_FALSE(widget.RepaintDeferred());
    // A whole interval later the next change asks for its paint at once.
    now += Ms(100);
    signova::testing::PlotSineSweep(chart, true);
    signova::testing::PlotSineSweep(chart, false);
    EXPECT_FALSE(widget.RepaintDeferred());
    ASSERT_TRUE(QTest::qWaitFor([&paints] { return paints > 1; }, 10000));
    EXPECT_EQ(paints, 2);
    EXPECT_FALSE(chart.NeedsRepaint());
    widget.removeEventFilter(&counter);
}

TEST(FirPlotChartImage, ShowsRedBarsStandingOnZero) {
    signova::TChart chart;
    signova::TBarSeries& bars = signova::ConfigureFirPlotChart(chart);
    ChartWidget widget(chart);
    widget.resize(517, 289);
    for (int i = 0; i < 48; ++i)
        bars.AddPoint(i, i == 20 ? -0.01 : 0.0208333333333333, "", signova::DefaultColor);
    const QImage image = Render(widget);
    ASSERT_TRUE(image.save(OutputPath("fir_plot_chart.png")));
    const signova::ChartLayout layout =
        signova::ComputeChartLayout(chart, 517, 289, FontTextMetrics(widget.font()));
    const signova::AxisScale& x = layout.Axis(signova::AxisPosition::Bottom);
    const signova::AxisScale& y = layout.Axis(signova::AxisPosition::Left);
    EXPECT_EQ(image.pixel(x.ToPixel(10), y.ToPixel(0.012)), Red);
    EXPECT_EQ(image.pixel(x.ToPixel(10) - 2, y.ToPixel(0.012)), qRgb(240, 240, 240));
    EXPECT_EQ(image.pixel(x.ToPixel(20), y.ToPixel(-0.007)), Red); // hangs below zero
    EXPECT_EQ(image.pixel(x.ToPixel(21), y.ToPixel(-0.007)), qRgb(240, 240, 240));
}

TEST(ChartWidgetLifetime, AChartOutlivingItsWidgetStaysUsable) {
    signova::TChart chart;
    auto& bars = signova::ConfigureFirPlotChart(chart);
    {
        ChartWidget widget(chart);
        chart.MarkPainted();
    }
    bars.AddPoint(1, 1, "", signova::DefaultColor); // asks a widget that is gone
    EXPECT_TRUE(chart.NeedsRepaint());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
