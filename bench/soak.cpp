// A long run of the real window: the simulation runs all the time while a
// script changes a setting every two seconds (waveform, dial, bits, sample
// frequency, the FIR and IIR pages, a load of each example in turn) and
// starts the run again whenever a change stopped it. Prints the resident
// memory at the start and every minute.
// Run it under a display: xvfb-run -a -s '-screen 0 1280x1024x24' soak [MINUTES]
// (10 minutes when not given).

#include "ui/SIGNOVA_Unit.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int FirPage = 3;
constexpr int IirPage = 2;

// The real file dialog and boxes would wait for a user: the file is chosen
// by the script, and a box is printed instead of shown.
class ScriptedFileDialogs : public QtDialogs {
public:
    std::optional<std::string> next;
    int boxes = 0;

    std::optional<std::string> ChooseFile() override { return next; }
    void ShowMessage(const std::string& text) override { Report("message", text); }
    signova::DialogResult Confirm(const std::string& text) override {
        Report("confirm", text);
        return signova::DialogResult::Yes;
    }
    signova::DialogResult AskInformation(const std::string& text) override {
        Report("ask", text);
        return signova::DialogResult::Yes;
    }
    void Inform(const std::string& text) override { Report("inform", text); }
    void ShowError(const std::string& text) override { Report("error", text); }

private:
    void Report(const char* kind, const std::string& text) {
        ++boxes;
        std::printf("  unexpected box, %s: %s\n", kind, text.c_str());
    }
};

// Counts the samples computed, to show that the run goes on all the time.
class CountingWindow : public TForm1 {
public:
    using TForm1::TForm1;
    long long samples = 0;

protected:
    void ProcessMessages() override {
        ++samples;
        TForm1::ProcessMessages();
    }
};

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

std::vector<std::string> Examples(const char* prefix) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(SIGNOVA_EXAMPLES_DIR))
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

template <typename Widget> Widget* Control(QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::vector<std::string> firExamples = Examples("fir_");
    const std::vector<std::string> iirExamples = Examples("iir_");

    ScriptedFileDialogs dialogs;
    CountingWindow window(dialogs);
    dialogs.SetParent(&window);
    window.show();

    auto* pages = Control<QTabWidget>(window, "DSPcontrol");
    auto* run = Control<QPushButton>(window, "Run");
    std::mt19937 random(1);
    std::size_t firIndex = 0;
    std::size_t iirIndex = 0;
    long actions = 0;

    const std::vector<std::function<void()>> script = {
        [&] {
            auto* vorm = Control<QComboBox>(window, "Vorm");
            vorm->setCurrentIndex((vorm->currentIndex() + 1) % vorm->count());
        },
        [&] {
            Control<QSlider>(window, "Dial")->setValue(900 + static_cast<int>(random() % 10101));
        },
        [&] {
            pages->setCurrentIndex(FirPage);
            dialogs.next = firExamples[firIndex++ % firExamples.size()];
            Control<QPushButton>(window, "LoadFIR")->click();
        },
        [&] {
            auto* bits = Control<QComboBox>(window, "Bits");
            bits->setCurrentIndex((bits->currentIndex() + 1) % bits->count());
        },
        [&] {
            pages->setCurrentIndex(IirPage);
            dialogs.next = iirExamples[iirIndex++ % iirExamples.size()];
            Control<QPushButton>(window, "LoadIIR")->click();
        },
        [&] {
            auto* sample = Control<QComboBox>(window, "Sample");
            sample->setCurrentIndex((sample->currentIndex() + 1) % sample->count());
        },
        [&] { pages->setCurrentIndex(pages->currentIndex() == FirPage ? IirPage : FirPage); },
    };

    // A change that stopped the run starts it again from the message loop,
    // once the stopped loop has ended.
    auto runAgain = [&] {
        QTimer::singleShot(100, &window, [&] {
            if (window.RunDepth() == 0)
                run->click();
        });
    };
    QTimer actionTimer;
    QObject::connect(&actionTimer, &QTimer::timeout, [&] {
        script[static_cast<std::size_t>(actions++) % script.size()]();
        runAgain();
    });

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    QTimer minuteTimer;
    int minute = 0;
    QObject::connect(&minuteTimer, &QTimer::timeout, [&] {
        ++minute;
        std::printf("minute %2d: resident %ld kB, %ld changes, %.1f M samples, %d boxes\n", minute,
                    ResidentKilobytes(), actions, window.samples / 1e6, dialogs.boxes);
        std::fflush(stdout);
        if (minute >= minutes) {
            window.StopClick();
            QTimer::singleShot(100, &app, &QApplication::quit);
        }
    });

    QTimer::singleShot(0, &window, [&] {
        pages->setCurrentIndex(FirPage);
        std::printf("start    : resident %ld kB\n", ResidentKilobytes());
        std::fflush(stdout);
        actionTimer.start(2000);
        minuteTimer.start(60000);
        run->click();
    });
    const int result = QApplication::exec();
    std::printf("ran %.1f minutes\n",
                std::chrono::duration<double>(Clock::now() - start).count() / 60);
    return result;
}
