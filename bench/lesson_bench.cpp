// The time to open a lesson with the largest tables a lesson holds (300 FIR
// values, 103 IIR rows) into the window: reading and checking the file alone,
// and the whole open (read, check, every control and both tables set, the
// window's handlers run). Medians of many rounds, printed in milliseconds, and
// the share the read takes.
// Run it under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen.
// Usage: lesson_bench [rounds] (50 when not given).

#include "lesson/lesson_file.h"
#include "ui/SIGNOVA_Unit.h"
#include "ui/lesson_controller.h"
#include "ui/qt_dialogs.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

signova::Lesson BigLesson() {
    signova::Lesson lesson = signova::StartUpLesson();
    lesson.page = signova::LessonPage::Fir;
    lesson.fir.rows.clear();
    for (int row = 0; row < 300; ++row)
        lesson.fir.rows.push_back({std::string("h").append(std::to_string(row)), std::to_string(0.001 * row)});
    lesson.iir.rows.clear();
    for (int row = 0; row < 103; ++row)
        lesson.iir.rows.push_back(
            {std::to_string(row), row == 0 ? "  - - -" : "0.001", std::to_string(0.5 / (row + 1))});
    lesson.notes = "A lesson with the largest tables.";
    return lesson;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const auto path = std::filesystem::temp_directory_path() /
                      ("signova_lesson_bench_" + std::to_string(::getpid()) + ".signova");
    std::ofstream(path, std::ios::binary) << signova::LessonText(BigLesson());

    QtDialogs dialogs;
    TForm1 form(dialogs);
    form.show();
    std::vector<double> readTimes;
    std::vector<double> openTimes;
    for (int round = 0; round < rounds; ++round) {
        const auto readStart = Clock::now();
        const signova::LessonRead read = signova::ReadLessonFile(path.string());
        readTimes.push_back(Milliseconds(Clock::now() - readStart));
        // A window with other tables first, so that every open changes them all.
        form.Lessons().Apply(signova::StartUpLesson());
        QApplication::processEvents();
        const auto openStart = Clock::now();
        form.Lessons().OpenLessonFile(path.string());
        QApplication::processEvents();
        openTimes.push_back(Milliseconds(Clock::now() - openStart));
    }
    std::filesystem::remove(path);
    const double readMs = Median(readTimes);
    const double openMs = Median(openTimes);
    std::printf("lesson of 300 FIR values and 103 IIR rows, %d rounds (medians)\n", rounds);
    std::printf("read and check the file: %.2f ms\n", readMs);
    std::printf("open into the window (read, check, controls, tables, one message pass): %.2f ms\n",
                openMs);
    std::printf("read share of the open: %.0f %%\n", 100.0 * readMs / openMs);
    return 0;
}
