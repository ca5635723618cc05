// How long the window is busy with a coefficient file holding one huge line:
// the error box of a bad value that long, a load through the Load button whose
// value line carries a huge comment, a load whose title line is that long, and
// one paint of the FIR table with a cell that long.
// Run it under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen;
// the first argument is the line's size in MB (10 by default).

#include "toolkit/errors.h"
#include "ui/SIGNOVA_Unit.h"
#include "ui/grid_view.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Real boxes, a scripted file choice.
class ChosenFileDialogs : public QtDialogs {
public:
    std::optional<std::string> file;
    std::optional<std::string> ChooseFile() override { return file; }
};

// Once the next modal box is up: paints it once and presses its default
// button. Returns the time from now to that press.
template <typename Action> double SecondsUntilTheBoxIsAnswered(Action action) {
    Clock::time_point answered{};
    QTimer::singleShot(0, [&answered] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->repaint();
            answered = Clock::now();
            box->close();
        }
    });
    const auto start = Clock::now();
    action();
    if (answered == Clock::time_point{})
        answered = Clock::now();
    return Seconds(answered - start);
}

std::string WriteTempFile(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("signova_huge_text_" + std::to_string(::getpid()) + "_" + name);
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 10.0;
    const std::string huge(static_cast<std::size_t>(megabytes * 1024 * 1024), 'x');

    ChosenFileDialogs dialogs;
    TForm1 window(dialogs);
    dialogs.SetParent(&window);
    window.findChild<QTabWidget*>("DSPcontrol")->setCurrentIndex(3);
    window.show();
    QCoreApplication::processEvents();

    const double box = SecondsUntilTheBoxIsAnswered([&] {
        dialogs.ShowError(signova::DefaultErrorText(signova::ConversionError(huge).what()));
    });
    std::printf("error box of a %.1f MB bad value: %.3f s\n", megabytes, box);

    auto* loadFir = window.findChild<QPushButton*>("LoadFIR");
    const std::string comment =
        WriteTempFile("comment.txt", "//SIGNOVA\n//TITLE Comment\n0.5 //" + huge + "\n");
    dialogs.file = comment;
    const double load = SecondsUntilTheBoxIsAnswered([&] { loadFir->click(); });
    std::printf("FIR load of a value line with a %.1f MB comment, until its box is answered: "
                "%.3f s\n",
                megabytes, load);
    const double run =
        SecondsUntilTheBoxIsAnswered([&] { window.findChild<QPushButton*>("Run")->click(); });
    std::printf("Run with that cell in the table, until its box is answered: %.3f s\n", run);

    auto* grid = window.findChild<GridView*>("FIRgrid");
    const auto paintStart = Clock::now();
    grid->grab();
    std::printf("one paint of the FIR table holding that cell: %.3f s\n",
                Seconds(Clock::now() - paintStart));

    const std::string title =
        WriteTempFile("title.txt", "//SIGNOVA\n//TITLE " + huge + "\n0.5\n0.25\n");
    dialogs.file = title;
    const auto titleStart = Clock::now();
    loadFir->click();
    QCoreApplication::processEvents();
    std::printf("FIR load of a file with a %.1f MB title line, label shown: %.3f s\n", megabytes,
                Seconds(Clock::now() - titleStart));

    std::filesystem::remove(comment);
    std::filesystem::remove(title);
    return 0;
}
