// Samples per second of a default FIR run: the core chain alone (one sample at
// a time, and with the FIR outputs computed a block at a time as the window
// runs it), and the real window at full speed; the time from a Stop click to
// the loop's end; and how often the window painted. The runs alternate for
// several rounds, so that all see the same share of a busy machine; the
// medians are printed last.
// Then what the spectrum window costs the window run: the same run with the
// spectrum window open and refreshing against it closed, five rounds of runs of
// 2.5 s, which one goes first alternating; medians and ratio; and what one
// refresh of the spectrum window costs on its own.
// Then what measuring on the scope costs the window run: the same run with the
// cursors, a held reference trace and the largest traces on against all of
// them off, in pairs as for the spectrum window; and one paint of the scope
// chart with them and without.
// Then what an open pole-zero window of the FIR table costs the window run,
// in pairs as for the spectrum window.
// Run it under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen.
// Usage: run_bench [rounds] [seconds of each window run] (15 and 0.5 when not
// given): many short rounds, as the load of a shared machine changes fast.

#include "bench/bench_support.h"
#include "chart/chart.h"
#include "coefficients/fir_table.h"
#include "engine/fir_filter.h"
#include "engine/sample_pipeline.h"
#include "scope/fir_look_ahead.h"
#include "scope/sample_loop.h"
#include "scope/scope_chart_setup.h"
#include "scope/sweep_capture.h"
#include "toolkit/vector_state.h"
#include "ui/SIGNOVA_Unit.h"
#include "ui/chart_widget.h"
#include "ui/lamp.h"
#include "ui/pole_zero_window.h"
#include "ui/projector_view.h"
#include "ui/qt_dialogs.h"
#include "ui/scope_measure.h"
#include "ui/spectrum_window.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr long CoreSamples = 2'000'000;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct CoreRun {
    double samplesPerSecond = 0;
    double samplesPerCpuSecond = 0;
};

// The window's part of the block loop reduced to a stop after CoreSamples.
struct CoreSurroundings {
    signova::SimulatorState& state;
    signova::ScopeControls controls;
    long samples = 0;
    signova::ScopeControls ReadScopeControls() const { return controls; }
    void SampleDone(const signova::SampleOutcome&) {}
    void ProcessMessages() {
        if (++samples == CoreSamples)
            state.StopRequested = true;
    }
};

enum class CoreLoop { OneSampleAtATime, Block };

// Samples per second of the chain without a window.
CoreRun CoreChain(CoreLoop loop) {
    signova::SimulatorState state;
    signova::ScopeControls controls;
    signova::bench::SetUpRunAt500Hz(state, controls);
    signova::bench::ReadDefaultFirTable(state);
    signova::TChart chart;
    const signova::ScopeChartSeries series = signova::ConfigureScopeChart(chart);

    // As in a program without a toolkit: Qt may have left the upper halves of
    // the vector registers in use, which slows every SSE instruction down.
    signova::ClearUpperVectorState();
    signova::FirLookAhead lookAhead;
    CoreSurroundings surroundings{state, controls};
    const auto start = Clock::now();
    const double cpuStart = signova::bench::ThreadCpuSeconds();
    if (loop == CoreLoop::Block) {
        signova::RunFirSamples(state, lookAhead, series, surroundings);
    } else {
        for (long i = 0; i < CoreSamples; ++i) {
            signova::ComputeSample(state, signova::FilterKind::Fir);
            signova::ScopeSample(state, state.InputSample, state.OutputSample, controls, series);
        }
    }
    return {CoreSamples / Seconds(Clock::now() - start),
            CoreSamples / (signova::bench::ThreadCpuSeconds() - cpuStart)};
}

class CountingWindow : public TForm1 {
public:
    using TForm1::TForm1;
    long samples = 0;

protected:
    void ProcessMessages() override {
        ++samples;
        TForm1::ProcessMessages();
    }
};

// Counts the paint events of the whole window, of the chart and of the lamps.
class PaintCounter : public QObject {
public:
    long all = 0;
    long chart = 0;
    long lamps = 0;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++all;
            chart += qobject_cast<ChartWidget*>(watched) != nullptr;
            lamps += qobject_cast<Lamp*>(watched) != nullptr;
        }
        return false;
    }
};

void PostClick(QWidget* button) {
    const QPointF centre(button->width() / 2.0, button->height() / 2.0);
    const QPointF global = button->mapToGlobal(centre);
    QCoreApplication::postEvent(button,
                                new QMouseEvent(QEvent::MouseButtonPress, centre, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(button,
                                new QMouseEvent(QEvent::MouseButtonRelease, centre, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

struct WindowRun {
    double samplesPerSecond = 0;
    double seconds = 0;
    double cpuSeconds = 0;
    double loopCpuSeconds = 0;
    double stopMs = 0;
    long paints = 0;
    long chartPaints = 0;
    long lampPaints = 0;
};

// The default FIR run at 500 Hz in the real window, stopped by a click on
// Stop after `runSeconds`.
WindowRun RunWindow(CountingWindow& window, double runSeconds) {
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    window.samples = 0;
    auto* stop = window.findChild<QPushButton*>("Stop");
    std::atomic<long long> clickedAt{0};
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::duration<double>(runSeconds));
        clickedAt = Clock::now().time_since_epoch().count();
        PostClick(stop);
    });
    const auto start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    const double loopCpuStart = signova::bench::ThreadCpuSeconds();
    window.RunClick();
    const auto end = Clock::now();
    const double loopCpuSeconds = signova::bench::ThreadCpuSeconds() - loopCpuStart;
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    stopper.join();
    qApp->removeEventFilter(&counter);

    WindowRun run;
    run.seconds = Seconds(end - start);
    run.samplesPerSecond = window.samples / run.seconds;
    run.cpuSeconds = cpuSeconds;
    run.loopCpuSeconds = loopCpuSeconds;
    const auto clicked = Clock::time_point(Clock::duration(clickedAt.load()));
    run.stopMs = Seconds(end - clicked) * 1e3;
    run.paints = counter.all;
    run.chartPaints = counter.chart;
    run.lampPaints = counter.lamps;
    return run;
}

constexpr int SpectrumRounds = 5;
constexpr double SpectrumRunSeconds = 2.5;

// The default FIR run in `window` with the spectrum window open and refreshing
// against the same run with it closed. The wall-clock rate is what the user
// sees; the rate per CPU second of the run's thread is the steadier figure on a
// busy machine (it leaves out the display server's share).
void SpectrumWindowCost(CountingWindow& window) {
    for (QAction* action : window.findChild<QMenu*>("Chart1Menu")->actions())
        if (action->text() == QString::fromUtf8("Spectrum\u2026"))
            action->trigger();
    auto* spectrum = window.findChild<SpectrumWindow*>("SpectrumWindow");
    spectrum->move(window.geometry().right() + 1, 0);
    QCoreApplication::processEvents();

    std::vector<double> closedRates;
    std::vector<double> openRates;
    std::vector<double> ratios;
    std::vector<double> cpuRatios;
    std::printf("spectrum: the window run with the spectrum window open and refreshing "
                "against it closed\n");
    for (int round = 1; round <= SpectrumRounds; ++round) {
        WindowRun closed;
        WindowRun open;
        int openCopies = 0;
        for (const bool spectrumShown : {round % 2 == 0, round % 2 != 0}) {
            spectrum->setVisible(spectrumShown);
            QCoreApplication::processEvents();
            const int copies = spectrum->Copies();
            (spectrumShown ? open : closed) = RunWindow(window, SpectrumRunSeconds);
            if (spectrumShown)
                openCopies = spectrum->Copies() - copies;
        }
        const auto perCpuSecond = [](const WindowRun& run) {
            return run.samplesPerSecond * run.seconds / run.loopCpuSeconds;
        };
        closedRates.push_back(closed.samplesPerSecond);
        openRates.push_back(open.samplesPerSecond);
        ratios.push_back(open.samplesPerSecond / closed.samplesPerSecond);
        cpuRatios.push_back(perCpuSecond(open) / perCpuSecond(closed));
        std::printf("spectrum round %d (%s first): closed %.2f M samples/s, open %.2f M "
                    "samples/s: %.1f %% (%.1f %% per CPU s); %.1f record copies per second "
                    "while open\n",
                    round, round % 2 == 0 ? "open" : "closed", closed.samplesPerSecond / 1e6,
                    open.samplesPerSecond / 1e6, ratios.back() * 100, cpuRatios.back() * 100,
                    openCopies / open.seconds);
    }
    spectrum->hide();
    std::printf("median of %d spectrum rounds: closed %.2f M samples/s, open %.2f M samples/s, "
                "open/closed %.1f %% (%.1f %% per CPU s)\n",
                SpectrumRounds, Median(closedRates) / 1e6, Median(openRates) / 1e6,
                Median(ratios) * 100, Median(cpuRatios) * 100);
}

// What one refresh of the spectrum window costs, apart from any run: copying
// and analysing a new record, and painting the chart. At ten refreshes a
// second this is the window's share of a run, free of a busy machine's noise.
void SpectrumRefreshCost() {
    signova::SimulatorState state;
    state.MaxCode = 2047;
    state.SampleRate = 48000;
    signova::SampleRecord record;
    SpectrumWindow window(state, record);
    window.show();
    QCoreApplication::processEvents();
    QImage image(window.Chart().size() * window.Chart().devicePixelRatio(), QImage::Format_RGB32);
    image.setDevicePixelRatio(window.Chart().devicePixelRatio());
    constexpr int Refreshes = 200;
    double refreshSeconds = 0;
    double paintSeconds = 0;
    for (int i = 0; i < Refreshes; ++i) {
        for (int n = 0; n < signova::RecordLength; ++n) // a new record each time
            record.Store(std::round(2047 * std::sin(0.13 * n + i)),
                         std::round(1000 * std::sin(0.13 * n + i)) + n % 7);
        const auto start = Clock::now();
        window.Refresh();
        const auto refreshed = Clock::now();
        QPainter painter(&image);
        window.Chart().PaintTo(painter);
        painter.end();
        refreshSeconds += Seconds(refreshed - start);
        paintSeconds += Seconds(Clock::now() - refreshed);
    }
    const double perRefresh = (refreshSeconds + paintSeconds) / Refreshes;
    std::printf("one spectrum refresh: copy and analysis %.3f ms, chart paint %.3f ms; "
                "at %d a second %.1f %% of the run's time\n",
                refreshSeconds / Refreshes * 1e3, paintSeconds / Refreshes * 1e3,
                SpectrumWindow::RefreshesPerSecond,
                perRefresh * SpectrumWindow::RefreshesPerSecond * 100);
}

constexpr int MeasureRounds = 9;
constexpr double MeasureRunSeconds = 2.5;

// Cursors with their read-out, the reference trace and traces three times as
// thick, all on or all off.
void SetMeasuring(CountingWindow& window, bool on) {
    window.Measure().SetCursorsShown(on);
    if (on)
        window.Measure().HoldReference();
    else
        window.Measure().ClearReference();
    window.Projector().SetScale(on ? ProjectorView::LargestScale : 1);
}

// One paint of the scope chart into an image, in ms, the mean of `paints`.
double ScopePaintMs(CountingWindow& window, int paints) {
    auto* chart = window.findChild<ChartWidget*>("Chart1");
    QImage image(chart->size() * chart->devicePixelRatio(), QImage::Format_RGB32);
    image.setDevicePixelRatio(chart->devicePixelRatio());
    const auto start = Clock::now();
    for (int i = 0; i < paints; ++i) {
        QPainter painter(&image);
        chart->PaintTo(painter);
    }
    return Seconds(Clock::now() - start) / paints * 1e3;
}

// The default FIR run with the measuring layers on against them off, which one
// goes first alternating, and the scope's paint alone.
void MeasuringCost(CountingWindow& window) {
    std::vector<double> offRates;
    std::vector<double> onRates;
    std::vector<double> ratios;
    std::vector<double> cpuRatios;
    std::printf("measuring: the window run with cursors, reference trace and large traces "
                "(3x) on against all of them off\n");
    const auto perCpuSecond = [](const WindowRun& run) {
        return run.samplesPerSecond * run.seconds / run.loopCpuSeconds;
    };
    for (int round = 1; round <= MeasureRounds; ++round) {
        WindowRun off;
        WindowRun on;
        for (const bool measuring : {round % 2 == 0, round % 2 != 0}) {
            SetMeasuring(window, measuring);
            QCoreApplication::processEvents();
            (measuring ? on : off) = RunWindow(window, MeasureRunSeconds);
        }
        offRates.push_back(off.samplesPerSecond);
        onRates.push_back(on.samplesPerSecond);
        ratios.push_back(on.samplesPerSecond / off.samplesPerSecond);
        cpuRatios.push_back(perCpuSecond(on) / perCpuSecond(off));
        std::printf("measuring round %d (%s first): off %.2f M samples/s, on %.2f M "
                    "samples/s: %.1f %% (%.1f %% per CPU s); scope paints per second off %.0f, "
                    "on %.0f\n",
                    round, round % 2 == 0 ? "on" : "off", off.samplesPerSecond / 1e6,
                    on.samplesPerSecond / 1e6, ratios.back() * 100, cpuRatios.back() * 100,
                    off.chartPaints / off.seconds, on.chartPaints / on.seconds);
    }
    std::printf("median of %d measuring rounds: off %.2f M samples/s, on %.2f M samples/s, "
                "on/off %.1f %% (%.1f %% per CPU s)\n",
                MeasureRounds, Median(offRates) / 1e6, Median(onRates) / 1e6,
                Median(ratios) * 100, Median(cpuRatios) * 100);

    // The paint alone, each layer on its own and all together.
    constexpr int Paints = 300;
    const struct {
        const char* name;
        bool cursors;
        bool reference;
        int scale;
    } looks[] = {{"off", false, false, 1},
                 {"cursors", true, false, 1},
                 {"reference", false, true, 1},
                 {"large traces", false, false, ProjectorView::LargestScale},
                 {"all on", true, true, ProjectorView::LargestScale}};
    std::printf("one scope paint:");
    for (const auto& look : looks) {
        SetMeasuring(window, false);
        window.Measure().SetCursorsShown(look.cursors);
        if (look.reference)
            window.Measure().HoldReference();
        window.Projector().SetScale(look.scale);
        std::printf(" %s %.3f ms;", look.name, ScopePaintMs(window, Paints));
    }
    std::printf("\n");
    SetMeasuring(window, false);
}

constexpr int PoleZeroRounds = 9;
constexpr double PoleZeroRunSeconds = 2.5;

// The default FIR run with the pole-zero window of the FIR table (47 zeros)
// open against it closed, which one goes first alternating.
void PoleZeroWindowCost(CountingWindow& window) {
    for (QAction* action : window.findChild<QMenu*>("FIRgridMenu")->actions())
        if (action->text() == QString::fromUtf8("Poles and zeros\u2026"))
            action->trigger();
    auto* poleZero = window.findChild<PoleZeroWindow*>("PoleZeroWindow");
    poleZero->move(window.geometry().right() + 1, 0);
    QCoreApplication::processEvents();

    std::vector<double> closedRates;
    std::vector<double> openRates;
    std::vector<double> ratios;
    std::vector<double> cpuRatios;
    const auto perCpuSecond = [](const WindowRun& run) {
        return run.samplesPerSecond * run.seconds / run.loopCpuSeconds;
    };
    std::printf("pole-zero: the window run with the pole-zero window of the FIR table open "
                "against it closed\n");
    for (int round = 1; round <= PoleZeroRounds; ++round) {
        WindowRun closed;
        WindowRun open;
        for (const bool shown : {round % 2 == 0, round % 2 != 0}) {
            poleZero->setVisible(shown);
            QCoreApplication::processEvents();
            (shown ? open : closed) = RunWindow(window, PoleZeroRunSeconds);
        }
        closedRates.push_back(closed.samplesPerSecond);
        openRates.push_back(open.samplesPerSecond);
        ratios.push_back(open.samplesPerSecond / closed.samplesPerSecond);
        cpuRatios.push_back(perCpuSecond(open) / perCpuSecond(closed));
        std::printf("pole-zero round %d (%s first): closed %.2f M samples/s, open %.2f M "
                    "samples/s: %.1f %% (%.1f %% per CPU s)\n",
                    round, round % 2 == 0 ? "open" : "closed", closed.samplesPerSecond / 1e6,
                    open.samplesPerSecond / 1e6, ratios.back() * 100, cpuRatios.back() * 100);
    }
    poleZero->hide();
    std::printf("median of %d pole-zero rounds: closed %.2f M samples/s, open %.2f M "
                "samples/s, open/closed %.1f %% (%.1f %% per CPU s)\n",
                PoleZeroRounds, Median(closedRates) / 1e6, Median(openRates) / 1e6,
                Median(ratios) * 100, Median(cpuRatios) * 100);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int rounds = arguments.size() > 1 ? std::max(1, arguments[1].toInt()) : 15;
    const double windowRunSeconds = arguments.size() > 2 ? arguments[2].toDouble() : 0.5;

    QtDialogs dialogs;
    CountingWindow window(dialogs);
    window.findChild<QToolButton*>("SpeedButton2")->click();
    window.findChild<QSlider*>("Dial")->setValue(5000);
    window.findChild<QTabWidget*>("DSPcontrol")->setCurrentIndex(3);
    window.show();
    QCoreApplication::processEvents();

    std::vector<double> oneAtATime;
    std::vector<double> core;
    std::vector<double> shown;
    std::vector<double> ratios;
    std::vector<double> cpuRatios;
    std::vector<double> stops;
    std::printf("core chain: generator, ADC, 48-tap FIR, DAC, scope capture and plot, with the "
                "FIR outputs a block at a time as the window runs them\n"
                "one at a time: the same chain one sample after another\n"
                "window run: the same at 500 Hz on the FIR page of the real window\n"
                "per CPU s: samples per second of CPU time of the thread that ran them\n");
    for (int round = 1; round <= rounds; ++round) {
        const CoreRun single = CoreChain(CoreLoop::OneSampleAtATime);
        const CoreRun coreRun = CoreChain(CoreLoop::Block);
        const WindowRun run = RunWindow(window, windowRunSeconds);
        oneAtATime.push_back(single.samplesPerSecond);
        core.push_back(coreRun.samplesPerSecond);
        shown.push_back(run.samplesPerSecond);
        ratios.push_back(run.samplesPerSecond / coreRun.samplesPerSecond);
        const double windowPerCpuSecond = run.samplesPerSecond * run.seconds / run.loopCpuSeconds;
        cpuRatios.push_back(windowPerCpuSecond / coreRun.samplesPerCpuSecond);
        stops.push_back(run.stopMs);
        std::printf("round %d: one at a time %.2f M samples/s (%.2f M per CPU s), core chain "
                    "%.2f M samples/s (%.2f M per CPU s), window run %.2f M "
                    "samples/s (%.2f M per CPU s): %.0f %% of the core chain (%.0f %% per CPU s); "
                    "program CPU %.2f s of %.2f s; Stop took %.3f ms; "
                    "paints per second: %.0f (chart %.0f, lamps %.0f)\n",
                    round, single.samplesPerSecond / 1e6, single.samplesPerCpuSecond / 1e6,
                    coreRun.samplesPerSecond / 1e6, coreRun.samplesPerCpuSecond / 1e6,
                    run.samplesPerSecond / 1e6, windowPerCpuSecond / 1e6, ratios.back() * 100,
                    cpuRatios.back() * 100, run.cpuSeconds, run.seconds, run.stopMs,
                    run.paints / run.seconds, run.chartPaints / run.seconds,
                    run.lampPaints / run.seconds);
    }
    std::printf("median of %d rounds: one at a time %.2f M samples/s, core chain %.2f M "
                "samples/s, window run %.2f M samples/s, "
                "window/core %.0f %% (%.0f %% per CPU s), Stop click to the end of the loop "
                "%.3f ms\n",
                rounds, Median(oneAtATime) / 1e6, Median(core) / 1e6, Median(shown) / 1e6,
                Median(ratios) * 100, Median(cpuRatios) * 100, Median(stops));

    SpectrumWindowCost(window);
    SpectrumRefreshCost();
    MeasuringCost(window);
    PoleZeroWindowCost(window);
    return 0;
}
