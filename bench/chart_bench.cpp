// Cost of painting the oscilloscope chart: one paint of a full 48000 Hz sweep
// (193 samples: 386 points in each line series, 193 markers in each point
// series) into an offscreen image, as a paint event does it.
#include "chart/chart_painter.h"
#include "engine/simulator_state.h"
#include "scope/scope_chart_setup.h"
#include "scope/trace_plot.h"
#include "tests/support/sine_sweep.h"
#include "ui/chart_widget.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

constexpr int ChartWidth = 369;
constexpr int ChartHeight = 267;

struct ScopeChart {
    explicit ScopeChart(bool filter)
        : widget(chart), image(ChartWidth, ChartHeight, QImage::Format_RGB32) {
        signova::ConfigureScopeChart(chart);
        widget.resize(ChartWidth, ChartHeight);
        signova::testing::PlotSineSweep(chart, filter);
        Paint(); // warm-up: frame cached, buffers grown
    }
    void Paint() {
        QPainter painter(&image);
        widget.PaintTo(painter);
    }
    signova::TChart chart;
    ChartWidget widget;
    QImage image;
};

void BenchScopePaintSteps(benchmark::State& state) {
    ScopeChart scope(false);
    for (auto _ : state) {
        scope.Paint();
        benchmark::DoNotOptimize(scope.image.constBits());
    }
}
BENCHMARK(BenchScopePaintSteps)->Unit(benchmark::kMicrosecond);

void BenchScopePaintSmoothed(benchmark::State& state) {
    ScopeChart scope(true);
    for (auto _ : state) {
        scope.Paint();
        benchmark::DoNotOptimize(scope.image.constBits());
    }
}
BENCHMARK(BenchScopePaintSmoothed)->Unit(benchmark::kMicrosecond);

// The same paint with the frame drawn anew each time (after a resize or a
// change of the chart's look).
void BenchScopePaintStepsFrameRebuilt(benchmark::State& state) {
    ScopeChart scope(false);
    for (auto _ : state) {
        scope.chart.SetBevelWidth(1); // any change of the chart's look
        scope.Paint();
        benchmark::DoNotOptimize(scope.image.constBits());
    }
}
BENCHMARK(BenchScopePaintStepsFrameRebuilt)->Unit(benchmark::kMicrosecond);

// Refilling the four series with a sweep: Clear, marker sizes, pens, 1158 points.
void BenchScopeRefillSeries(benchmark::State& state) {
    ScopeChart scope(false);
    for (auto _ : state) {
        signova::testing::PlotSineSweep(scope.chart, false);
        scope.chart.MarkPainted();
    }
}
BENCHMARK(BenchScopeRefillSeries)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
