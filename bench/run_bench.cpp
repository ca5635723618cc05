// Samples per second of a default FIR run: the core chain alone, and the real
// window at full speed; and the time from a Stop click to the loop's end.
// Run it under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen.

#include "chart/chart.h"
#include "coefficients/fir_table.h"
#include "engine/fir_filter.h"
#include "engine/sample_pipeline.h"
#include "scope/scope_chart_setup.h"
#include "scope/sweep_capture.h"
#include "ui/SIGNOVA_Unit.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void CoreChain() {
    signova::SimulatorState state;
    state.SignalFrequency = 500;
    state.SampleRate = 48000;
    state.Waveform = signova::SineWave;
    state.MaxCode = 2047;
    state.Amplitude = 2047;
    state.DacScale = 1;
    state.DisplayGain = 1;
    state.SampleSpacing = 400.0 / 192;
    signova::CellStore fir = signova::NewFirGrid();
    signova::SetDefaultFirTable(fir, state);
    signova::ReadFIRCoefficients(state, fir);
    signova::TChart chart;
    const signova::ScopeChartSeries series = signova::ConfigureScopeChart(chart);
    signova::ScopeControls controls;
    controls.chartWidth = 369;

    constexpr long samples = 5'000'000;
    const auto start = Clock::now();
    for (long i = 0; i < samples; ++i) {
        signova::ComputeSample(state, signova::FilterKind::Fir);
        signova::ScopeSample(state, state.InputSample, state.OutputSample, controls, series);
    }
    const double seconds = Seconds(Clock::now() - start);
    std::printf("core chain (generator, ADC, 48-tap FIR, DAC, scope capture and plot): "
                "%.2f M samples/s\n",
                samples / seconds / 1e6);
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

void Window(double runSeconds) {
    QtDialogs dialogs;
    CountingWindow window(dialogs);
    window.findChild<QToolButton*>("SpeedButton2")->click();
    window.findChild<QSlider*>("Dial")->setValue(5000);
    window.findChild<QTabWidget*>("DSPcontrol")->setCurrentIndex(3);
    window.show();
    QCoreApplication::processEvents();

    auto* stop = window.findChild<QPushButton*>("Stop");
    std::atomic<long long> clickedAt{0};
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::duration<double>(runSeconds));
        clickedAt = Clock::now().time_since_epoch().count();
        PostClick(stop);
    });
    const auto start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    window.RunClick();
    const auto end = Clock::now();
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    stopper.join();
    const double seconds = Seconds(end - start);
    const auto clicked = Clock::time_point(Clock::duration(clickedAt.load()));
    std::printf("window run at 500 Hz on the FIR page: %.2f M samples/s (%ld samples in %.2f s)\n",
                window.samples / seconds / 1e6, window.samples, seconds);
    std::printf("  of which the program's own CPU time: %.2f s\n", cpuSeconds);
    std::printf("Stop click to the end of the loop: %.3f ms\n", Seconds(end - clicked) * 1e3);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CoreChain();
    Window(3.0);
    return 0;
}
