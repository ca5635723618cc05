#include "tests/ui/form_fixture.h"

#include "analysis/sample_csv.h"
#include "lesson/lesson_file.h"
#include "toolkit/errors.h"
#include "ui/chart_export.h"
#include "ui/chart_widget.h"
#include "ui/console_dialogs.h"
#include "ui/lesson_controller.h"
#include "ui/render_mode.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using signova::testing::ScriptedDialogs;

std::string Lesson(const std::string& name) {
    return std::string(SIGNOVA_LESSONS_DIR "/") + name;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The resonator of lesson 6 with another a in row 2.
std::string ResonatorWithA2(const std::string& a) {
    const std::string text = Bytes(Lesson("6_resonator.signova"));
    const std::size_t at = text.find("-0.9801");
    std::ostringstream changed;
    changed << text.substr(0, at) << a << text.substr(at + 7);
    return changed.str();
}

// The lesson opened in a window at its design size, on the page a render
// runs, and run for `samples` samples.
void RunInWindow(CountingForm& form, ScriptedDialogs& dialogs, const std::string& lesson,
                 long long samples) {
    form.resize(TForm1::DesignSize());
    form.show();
    dialogs.lessonFiles.push_back(lesson);
    form.Lessons().OpenAction().trigger();
    const bool iir = form.Control<QTabWidget>("DSPcontrol")->currentIndex() == IirPage;
    form.ShowPage(iir ? IirPage : FirPage);
    try {
        form.RunSamples(static_cast<int>(samples));
    } catch (const signova::SignovaError&) {
    }
}

struct ShippedLesson {
    const char* file;
    bool views; // response and spectrum open
    const char* filterLine; // the caption's last line
};

// Whether any pixel of the rows from `top` down is not white.
bool InkBelow(const QImage& picture, int top) {
    for (int y = top; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

constexpr const char* LowPass = "FIR filter: Low-pass 3 kHz, 63 taps, Hamming (fs 48 kHz)";

class RenderOfShippedLesson : public ::testing::TestWithParam<ShippedLesson> {
protected:
    QTemporaryDir folder;
    std::string Out(const char* name) const {
        return folder.filePath(QString::fromLatin1(name)).toStdString();
    }
};

// The default run (8 sweeps) and a short one whose record holds every sample
// of the run: the same samples as the window's run, bit for bit, and the
// picture "Save picture" of the window gives, caption and all.
TEST_P(RenderOfShippedLesson, GivesTheWindowsSamplesAndPicture) {
    const ShippedLesson& shipped = GetParam();
    for (const std::optional<long long> samples : {std::optional<long long>{}, {std::optional<long long>{3001}}}) {
        SCOPED_TRACE(samples ? *samples : 0);
        std::ostringstream errors;
        ConsoleDialogs console(errors);
        const RenderOutcome outcome =
            RenderLesson({Lesson(shipped.file), Out("out/new"), samples}, console);
        EXPECT_EQ(errors.str(), "");
        if (samples) {
            EXPECT_EQ(outcome.samples, *samples);
        } else {
            EXPECT_EQ(outcome.sweeps, RenderSweeps);
        }

        ScriptedDialogs dialogs;
        CountingForm form(dialogs);
        RunInWindow(form, dialogs, Lesson(shipped.file), outcome.samples);
        EXPECT_EQ(form.SweepsPlotted(), outcome.sweeps);
        const std::string csv = Bytes(Out("out/new/samples.csv"));
        EXPECT_EQ(csv, signova::SamplesCsv(form.Record().OldestFirst()));
        if (samples) {
            EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), *samples + 1);
        }

        const QImage picture(QString::fromStdString(Out("out/new/scope.png")));
        const QImage windows = ScopePicture(form.ScopeWidget(), form.ScopeCaption());
        EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), windows);
        // The design's scope, twice its size, and the caption's two lines under it.
        EXPECT_EQ(form.ScopeWidget().size(), QSize(369, 267));
        EXPECT_GT(picture.height(), 2 * 267 + 20);
        EXPECT_TRUE(InkBelow(picture, 2 * 267));
        const std::string caption = form.ScopeCaption();
        EXPECT_EQ(caption.substr(caption.find('\n') + 1), shipped.filterLine);
    }
    EXPECT_EQ(Bytes(Out(("out/new/" + std::string(shipped.file)).c_str())),
              Bytes(Lesson(shipped.file)));
    EXPECT_EQ(QFile::exists(QString::fromStdString(Out("out/new/response.png"))), shipped.views);
    EXPECT_EQ(QFile::exists(QString::fromStdString(Out("out/new/spectrum.png"))), shipped.views);
}

INSTANTIATE_TEST_SUITE_P(Lessons, RenderOfShippedLesson,
                         ::testing::Values(
                             ShippedLesson{"1_moving_average.signova", false, "FIR filter"},
                             ShippedLesson{"2_aliasing.signova", false, "FIR filter"},
                             ShippedLesson{"3_quantisation.signova", false, "FIR filter"},
                             ShippedLesson{"4_low_pass.signova", false, LowPass},
                             ShippedLesson{"5_wrap_around.signova", false, "FIR filter"},
                             ShippedLesson{"6_resonator.signova", false,
                                           "IIR filter: Resonator 1 kHz, pole radius 0.99 (fs "
                                           "48 kHz)"},
                             ShippedLesson{"7_response_and_spectrum.signova", true, LowPass}),
                         [](const auto& info) {
                             const std::string file = info.param.file;
                             return "lesson" + file.substr(0, 1);
                         });

class Render : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::string Path(const std::string& name) const {
        return folder.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
};

TEST_F(Render, ARunEndedByAnErrorWritesWhatWasDrawnAndSaysOneLine) {
    const std::string lesson =
        Write("unstable.signova", ResonatorWithA2("-1.0201"));
    std::ostringstream errors;
    ConsoleDialogs console(errors);
    EXPECT_EQ(RunRenderMode({lesson, Path("out"), std::nullopt}, console), 1);
    EXPECT_EQ(errors.str(), "signova: Invalid floating point operation.\n");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("out/scope.png"))));
    EXPECT_NE(Bytes(Path("out/samples.csv")).find("\n1,"), std::string::npos);
}

TEST_F(Render, ABadTableRowStopsTheRunAndEndsWithAnError) {
    const std::string lesson = Write("bad_row.signova", ResonatorWithA2("x"));
    std::ostringstream errors;
    ConsoleDialogs console(errors);
    EXPECT_EQ(RunRenderMode({lesson, Path("out"), 500}, console), 1);
    EXPECT_EQ(errors.str(), "signova: Error in data for IIR Filter. Row 2\n"
                            "signova: The run stopped after 1 samples and 0 sweeps, before its "
                            "end.\n");
}

TEST_F(Render, ARefusedLessonMakesNoFolder) {
    const std::string lesson = Write("not.signova", "//SIGNOVA\n//TYPE FIR\n1\n");
    std::ostringstream errors;
    ConsoleDialogs console(errors);
    EXPECT_EQ(RunRenderMode({lesson, Path("out"), std::nullopt}, console), 1);
    EXPECT_EQ(errors.str(), "signova: Cannot open lesson " + lesson +
                                ": not a SIGNOVA lesson: its first line does not name the "
                                "lesson format.\n");
    EXPECT_FALSE(QDir(QString::fromStdString(Path("out"))).exists());
}

TEST_F(Render, FilesAlreadyThereAreReplaced) {
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Path("out"))));
    Write("out/samples.csv", "old");
    std::ostringstream errors;
    ConsoleDialogs console(errors);
    EXPECT_EQ(RunRenderMode({Lesson("1_moving_average.signova"), Path("out"), 10}, console), 0);
    EXPECT_EQ(Bytes(Path("out/samples.csv")).substr(0, 15), "n,input,output\n");
}

TEST_F(Render, UnknownKeysAndQuestionsGoToTheStreamAnsweredNo) {
    const std::string lesson =
        Write("later.signova", "{\"signova_lesson\": \"1.2\", \"page\": \"Info\", \"sound\": 1}\n");
    std::ostringstream errors;
    ConsoleDialogs console(errors);
    EXPECT_EQ(RunRenderMode({lesson, Path("out"), 10}, console), 0);
    EXPECT_EQ(errors.str(), "signova: The lesson " + lesson +
                                " holds settings this version of SIGNOVA does not know; they "
                                "were left out:\nsignova: /sound\n");
    std::ostringstream asked;
    ConsoleDialogs questions(asked);
    EXPECT_EQ(questions.Confirm("Replace?\nSure"), signova::DialogResult::No);
    EXPECT_EQ(questions.AskInformation("Go on?"), signova::DialogResult::No);
    EXPECT_EQ(questions.ChooseFile(), std::nullopt);
    EXPECT_EQ(asked.str(), "signova: Replace?\nsignova: Sure [answered No]\n"
                           "signova: Go on? [answered No]\n");
}

} // namespace
