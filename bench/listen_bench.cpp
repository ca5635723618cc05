// Listening for a minute: the default FIR run on its page with the scope
// drawing, Listen on, through the default sound device (the null sink of
// bench/listen_bench.sh). Prints the underruns and ring overflows counted at
// the seam, the latency of a dial move (until the device takes the first
// sample computed after it, plus the device's reported output latency) and of
// a Stop (until the device takes the first sample of the fade, plus the output
// latency; the fade itself lasts 5 ms more).
//   bench/listen_bench.sh build [seconds]
#include "sound/portaudio_output.h"
#include "ui/SIGNOVA_Unit.h"
#include "ui/listen_controller.h"

#include <QApplication>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Answers every box with OK and writes it out: the bench expects none.
class PrintedDialogs : public signova::Dialogs {
public:
    void ShowMessage(const std::string& text) override { std::printf("box: %s\n", text.c_str()); }
    signova::DialogResult Confirm(const std::string& text) override {
        std::printf("box: %s\n", text.c_str());
        return signova::DialogResult::Yes;
    }
    signova::DialogResult AskInformation(const std::string& text) override {
        return Confirm(text);
    }
    void Inform(const std::string& text) override { ShowMessage(text); }
    void ShowError(const std::string& text) override { ShowMessage(text); }
    std::optional<std::string> ChooseFile() override { return std::nullopt; }
};

// The device, with the time from a Stop to the end of its fade.
class TimedOutput : public signova::PortAudioOutput {
public:
    std::vector<double> stopMs;
    void Start(signova::RingReader& reader) override {
        reader_ = &reader;
        PortAudioOutput::Start(reader);
    }
    void Stop() override {
        const Clock::time_point stopAt = Clock::now();
        if (State() == signova::AudioState::Playing) {
            reader_->FadeOut();
            while (!reader_->FadeBegun() && Clock::now() - stopAt < std::chrono::milliseconds(200))
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            stopMs.push_back(Milliseconds(Clock::now() - stopAt) + 1000.0 * Latency());
        }
        PortAudioOutput::Stop();
    }

private:
    signova::RingReader* reader_ = nullptr;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    PrintedDialogs dialogs;
    TimedOutput output;
    TForm1 form(dialogs, output);
    form.show();
    form.findChild<QTabWidget*>(QStringLiteral("DSPcontrol"))->setCurrentIndex(3);
    // 1 kHz on the range 900 Hz to 11 kHz; the dial moves 1.000 <-> 2.000.
    form.findChild<QToolButton*>(QStringLiteral("SpeedButton3"))->click();
    auto* dial = form.findChild<QSlider*>(QStringLiteral("Dial"));
    ListenController& listen = form.Listener();
    listen.SetListening(true);

    std::vector<double> dialMs;
    const Clock::time_point start = Clock::now();
    Clock::time_point movedAt{};
    std::size_t target = 0;
    bool waitingForChange = false;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        if (waitingForChange && listen.SamplesTaken() >= target) {
            dialMs.push_back(Milliseconds(now - movedAt) + 1000.0 * output.Latency());
            waitingForChange = false;
        }
        const auto elapsed = now - start;
        if (elapsed >= std::chrono::seconds(seconds)) {
            form.StopClick();
            return;
        }
        // A dial move every 2 seconds, once the sound has begun.
        const auto moves = static_cast<std::size_t>(elapsed / std::chrono::seconds(2));
        if (!waitingForChange && elapsed > std::chrono::seconds(2) && dialMs.size() + 1 < moves &&
            listen.Sounding()) {
            target = listen.SamplesTaken() + listen.SamplesAhead();
            movedAt = Clock::now();
            dial->setValue(dial->value() == 1000 ? 2000 : 1000);
            waitingForChange = true;
        }
    });
    poll.start(1);
    form.RunClick();
    poll.stop();
    const long long underruns = listen.Underruns();
    const long long overflows = listen.Overflows();

    // Five short runs more, for the Stop's latency, each past the sound
    // server's start.
    for (int i = 0; i < 5; ++i) {
        QTimer::singleShot(4000, &form, [&form] { form.StopClick(); });
        form.RunClick();
    }
    std::printf("listened %d s: underruns %lld, ring overflows %lld, sweeps plotted %lld\n",
                seconds, underruns, overflows, form.SweepsPlotted());
    std::printf("output latency reported: %.1f ms, device rate %d Hz\n", 1000.0 * output.Latency(),
                output.Rate());
    std::printf("dial move to sound: %zu moves, median %.1f ms, max %.1f ms\n", dialMs.size(),
                Median(dialMs), dialMs.empty() ? 0.0 : *std::max_element(dialMs.begin(), dialMs.end()));
    std::printf("Stop to silence: %zu stops, median %.1f ms, max %.1f ms\n", output.stopMs.size(),
                Median(output.stopMs),
                output.stopMs.empty() ? 0.0
                                      : *std::max_element(output.stopMs.begin(), output.stopMs.end()));
    return 0;
}
