// Counts the allocations of a warmed-up sweep: refilling the scope chart's
// series and painting them must allocate nothing.
#include "chart/chart_painter.h"
#include "engine/sample_pipeline.h"
#include "scope/fir_look_ahead.h"
#include "scope/sample_loop.h"
#include "scope/scope_chart_setup.h"
#include "scope/sweep_capture.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

namespace signova {
namespace {

void PlotStepSweep(const ScopeChartSeries& scope, int passes, double spacing) {
    for (auto* series : std::initializer_list<TChartSeries*>{scope.Series1, scope.Series2,
                                                             scope.Series3, scope.Series4})
        series->Clear();
    scope.Series3->Pointer().SetHorizSize(2);
    scope.Series4->Pointer().SetHorizSize(2);
    scope.Series1->LinePen().SetColor(clGreen);
    scope.Series2->LinePen().SetColor(clGreen);
    for (int n = 0; n < passes; ++n) {
        const double x = n * spacing;
        const double y = (n % 7) * 100.0;
        scope.Series1->AddPoint(x, 7000 + y, "", clGreen);
        scope.Series1->AddPoint(x, 7000 - y, "", clLime);
        scope.Series3->AddPoint(x + 1, 7000 - y, "", clLime);
        scope.Series2->AddPoint(x, 3000 + y, "", clGreen);
        scope.Series2->AddPoint(x, 3000 - y, "", clGreen);
        scope.Series4->AddPoint(x + 1, 3000 - y, "", clLime);
    }
}

TEST(WarmSweep, RefillingAndPaintingAllocateNothing) {
    TChart chart;
    const ScopeChartSeries scope = ConfigureScopeChart(chart);
    chart.SetInvalidateHandler([] {});
    ChartPainter painter;
    testing::NullCanvas canvas;
    const long cold = allocations.load();
    PlotStepSweep(scope, 193, 400.0 / 192);
    painter.Paint(chart, 369, 295, canvas);
    chart.MarkPainted();
    ASSERT_GT(allocations.load(), cold); // the first sweep does allocate: the count works

    const long before = allocations.load();
    PlotStepSweep(scope, 193, 400.0 / 192);
    painter.Paint(chart, 369, 295, canvas);
    chart.MarkPainted();
    EXPECT_EQ(allocations.load() - before, 0);
}

// The run loop's whole per-sample path: generator, ADC, FIR, DAC, trigger,
// capture and the plot of every finished sweep.
TEST(WarmSweep, TheSampleChainAllocatesNothing) {
    SimulatorState state;
    state.SignalFrequency = 500;
    state.SampleRate = 48000;
    state.Waveform = SineWave;
    state.MaxCode = 2047;
    state.Amplitude = 2047;
    state.DacScale = 1;
    state.DisplayGain = 1;
    state.SampleSpacing = 400.0 / 192;
    for (int k = 0; k < 48; ++k)
        state.FirCoefficients[static_cast<std::size_t>(k)] = 1.0 / 48;
    state.FirLastTap = 47;
    TChart chart;
    const ScopeChartSeries scope = ConfigureScopeChart(chart);
    chart.SetInvalidateHandler([] {});
    ScopeControls controls;
    controls.chartWidth = 369;
    int sweeps = 0;
    auto run = [&](int samples) {
        for (int i = 0; i < samples; ++i) {
            ComputeSample(state, FilterKind::Fir);
            sweeps += ScopeSample(state, state.InputSample, state.OutputSample, controls, scope)
                          .sweepPlotted;
            chart.MarkPainted();
        }
    };
    controls.filterChecked = false; // the step picture has the most points
    run(2000);
    ASSERT_GT(sweeps, 1);

    const long before = allocations.load();
    sweeps = 0;
    run(20000);
    controls.filterChecked = true;
    run(2000);
    const long allocated = allocations.load() - before; // before gtest formats anything
    EXPECT_GT(sweeps, 20);
    EXPECT_EQ(allocated, 0);
}

// The run's FIR loop with its look-ahead, once the series hold a sweep: the
// look-ahead is made once per run, the samples allocate nothing.
TEST(WarmSweep, TheLookAheadLoopAllocatesNothing) {
    struct Run {
        SimulatorState state;
        TChart chart;
        ScopeChartSeries scope = ConfigureScopeChart(chart);
        long samples = 0;
        long sweeps = 0;
        ScopeControls ReadScopeControls() const {
            ScopeControls controls;
            controls.chartWidth = 369;
            controls.filterChecked = false;
            return controls;
        }
        void SampleDone(const SampleOutcome& outcome) { sweeps += outcome.scope.sweepPlotted; }
        void ProcessMessages() {
            if (--samples == 0)
                state.StopRequested = true;
        }
    } run;
    run.state.SignalFrequency = 500;
    run.state.SampleRate = 48000;
    run.state.Waveform = SineWave;
    run.state.MaxCode = 2047;
    run.state.Amplitude = 2047;
    run.state.DacScale = 1;
    run.state.DisplayGain = 1;
    run.state.SampleSpacing = 400.0 / 192;
    for (int k = 0; k < 300; ++k)
        run.state.FirCoefficients[static_cast<std::size_t>(k)] = 1.0 / 300;
    run.state.FirLastTap = 299;
    run.chart.SetInvalidateHandler([] {});
    FirLookAhead lookAhead;
    run.samples = 2000;
    RunFirSamples(run.state, lookAhead, run.scope, run);
    ASSERT_GT(run.sweeps, 1);

    const long before = allocations.load();
    run.sweeps = 0;
    run.samples = 20000;
    run.state.StopRequested = false;
    RunFirSamples(run.state, lookAhead, run.scope, run);
    const long allocated = allocations.load() - before;
    EXPECT_GT(run.sweeps, 20);
    EXPECT_EQ(allocated, 0);
}

} // namespace
} // namespace signova
