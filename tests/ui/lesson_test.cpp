#include "tests/ui/form_fixture.h"

#include "lesson/lesson_file.h"
#include "engine/fir_filter.h"
#include "toolkit/errors.h"
#include "toolkit/virtual_keys.h"
#include "ui/guarded.h"
#include "ui/grid_view.h"
#include "ui/lesson_controller.h"
#include "ui/lesson_window.h"
#include "ui/radio_group.h"
#include "ui/save_target.h"
#include "ui/view_menus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using signova::FilterKind;
using signova::Lesson;
using signova::testing::ScriptedDialogs;

constexpr int RoundTripSeeds = 40;
constexpr int RoundTripSamples = 10000;

const std::vector<std::string> OddTexts = {
    "",      "x",          "\xe9t\xe9", "caf\xc3\xa9", "a\"b\\c/d", "//", ",", std::string("\0z", 2),
    "\x01\x1f", std::string(300, 'w'), " 1 ", "\xff"};

// Everything a teacher sees of the window, and the state's settings.
std::string WindowFacts(CountingForm& form, bool withFirLastTap) {
    std::ostringstream facts;
    for (const char* name : {"FreqLabel", "HzLabel", "DialText", "FIRLabel", "IIRLabel"})
        facts << name << '=' << form.Control<QLabel>(name)->text().toStdString() << '\n';
    for (const char* name : {"Ampedit", "GainEdit"})
        facts << name << '=' << form.Control<QLineEdit>(name)->text().toStdString() << '\n';
    for (const char* name : {"Vorm", "Bits", "Sample"}) {
        auto* combo = form.Control<QComboBox>(name);
        facts << name << '=' << combo->currentText().toStdString() << '\n';
    }
    auto* pages = form.Control<QTabWidget>("DSPcontrol");
    facts << "page=" << pages->currentIndex() << ' ' << pages->tabText(1).toStdString() << '\n';
    for (const char* name : {"Tijdbasis", "Input"})
        for (QRadioButton* item : form.Control<RadioGroup>(name)->Items())
            facts << name << ' ' << item->text().toStdString() << ' ' << item->isChecked() << '\n';
    const signova::SimulatorState& s = form.State();
    facts << s.SignalFrequency << ' ' << s.FrequencyMultiplier << ' ' << s.Amplitude << ' '
          << s.SampleRate << ' ' << s.DisplayGain << ' ' << s.Waveform << ' ' << s.IirOrder << ' '
          << s.MaxCode << ' ' << s.SweepLength << ' ' << s.SampleSpacing << ' ' << s.DacScale
          << ' ' << s.RandomState << ' ' << s.PulseFired << ' ' << s.BlinkState << ' '
          << (withFirLastTap ? s.FirLastTap : 0) << '\n'
          << s.FileTitle << '\n';
    return facts.str();
}

struct RunResult {
    std::vector<double> samples;
    std::string error;
};

RunResult RunSamples(CountingForm& form, int count) {
    RunResult run;
    form.onSample = [&](int) {
        run.samples.push_back(form.State().InputSample);
        run.samples.push_back(form.State().OutputSample);
    };
    try {
        form.RunSamples(count);
    } catch (const signova::SignovaError& error) {
        run.error = error.Text();
    }
    form.onSample = nullptr;
    return run;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    // Compared as bits, so that a NaN equals itself; memcmp must not see the
    // null data of an empty vector.
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

// Settings, tables, titles and views set by hand, as a teacher would, from
// one seed.
void SetByHand(CountingForm& form, unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto odd = [&] { return OddTexts[static_cast<std::size_t>(pick(0, 11))]; };
    const auto number = [&](double scale) {
        std::ostringstream text;
        const double value = std::uniform_real_distribution<double>(-scale, scale)(random);
        switch (pick(0, 2)) {
        case 0: text.precision(17); text << value; break;
        case 1: text << std::scientific << value; break;
        default: text << ' ' << static_cast<int>(value * 8) << ' '; break;
        }
        return text.str();
    };
    const char* ranges[] = {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"};
    form.Control<QToolButton>(ranges[pick(0, 3)])->click();
    form.Control<QSlider>("Dial")->setValue(pick(900, 11000));
    form.Control<QComboBox>("Vorm")->setEditText(
        QString::fromUtf8(signova::LessonWaveformNames[static_cast<std::size_t>(pick(0, 5))].data()));
    form.Control<QScrollBar>("Ampsb")->setValue(pick(1, 200));
    form.Control<QScrollBar>("Gainsb")->setValue(pick(0, 200));
    form.Control<QComboBox>("Bits")->setEditText(QString::number(signova::LessonBits[pick(0, 2)]));
    form.Control<QComboBox>("Sample")->setEditText(
        QString::number(signova::LessonSampleRates[static_cast<std::size_t>(pick(0, 7))]));
    form.Control<RadioGroup>("Tijdbasis")->Items()[static_cast<std::size_t>(pick(0, 1))]->click();
    form.Control<RadioGroup>("Input")->Items()[static_cast<std::size_t>(pick(0, 2))]->click();
    form.Control<QCheckBox>("Filter")->setChecked(pick(0, 1) == 1);

    // The FIR table: values down to an empty cell, odd texts after it and in
    // the labels; sometimes values beyond the row count, as a shorter file
    // loaded after a longer one leaves them.
    signova::CellStore& fir = form.FirCells();
    const int rows = pick(1, 300);
    const int values = pick(0, 1) == 0 ? pick(0, rows) : std::min(300, rows + pick(0, 20));
    fir.SetRowCount(std::min(300, std::max(rows, 1)));
    for (int row = 0; row < 320; ++row) {
        fir.SetCell(0, row, pick(0, 3) == 0 ? odd() : std::string("h").append(std::to_string(row)));
        fir.SetCell(1, row, row < values ? number(1.0 / 16) : row == values ? "" : odd());
    }
    fir.SetRowCount(rows);
    // The IIR table: stable feedback, any b.
    signova::CellStore& iir = form.IirCells();
    const int order = pick(1, 103);
    int insert = signova::VirtualKeyInsert;
    for (int n = 1; n < order; ++n)
        form.IIRGridKeyDown(insert, true);
    for (int n = 0; n < order; ++n) {
        if (n > 0)
            iir.SetCell(1, n + 1, number(0.9 / order));
        iir.SetCell(2, n + 1, number(1.0));
        if (pick(0, 5) == 0)
            iir.SetCell(0, n + 1, odd());
    }
    // As a Load of the table would have set it.
    try {
        signova::ReadFIRCoefficients(form.State(), fir);
    } catch (const signova::SignovaError&) {
    }
    form.ShowTableTitle(FilterKind::Fir, odd());
    form.ShowTableTitle(FilterKind::Iir, odd());
    form.State().FileTitle = odd();
    if (pick(0, 2) == 0)
        form.Views().ShowResponse(pick(0, 1) == 0 ? FilterKind::Fir : FilterKind::Iir);
    if (pick(0, 2) == 0)
        form.Views().ShowSpectrum();
    form.ShowPage(pick(0, 4) == 0 ? pick(0, 1) : pick(2, 3));
}

class Lessons : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::string Path(const std::string& name) { return folder.filePath(QString::fromStdString(name)).toStdString(); }

    std::string Save(CountingForm& form, ScriptedDialogs& dialogs, const std::string& name) {
        dialogs.saveFiles.push_back(Path(name));
        form.Lessons().SaveAction().trigger();
        return Path(name);
    }
    void Open(CountingForm& form, ScriptedDialogs& dialogs, const std::string& path) {
        dialogs.lessonFiles.push_back(path);
        form.Lessons().OpenAction().trigger();
    }
};

TEST_F(Lessons, SavedAndOpenedInAFreshOrAUsedWindowGivesTheSameWindowAndRun) {
    for (unsigned seed = 1; seed <= RoundTripSeeds; ++seed) {
        SCOPED_TRACE(seed);
        ScriptedDialogs handDialogs;
        CountingForm byHand(handDialogs);
        SetByHand(byHand, seed);
        const std::string path =
            Save(byHand, handDialogs, "round_trip_" + std::to_string(seed) + ".signova");

        ScriptedDialogs freshDialogs;
        CountingForm fresh(freshDialogs);
        Open(fresh, freshDialogs, path);
        EXPECT_EQ(freshDialogs.shown, std::vector<std::string>{});

        // A window that has run other settings, noise included, first.
        ScriptedDialogs usedDialogs;
        CountingForm used(usedDialogs);
        SetByHand(used, seed + 1000);
        used.Control<QComboBox>("Vorm")->setEditText(QStringLiteral("Noise"));
        used.ShowPage(FirPage);
        (void)RunSamples(used, 3000);
        Open(used, usedDialogs, path);

        const Lesson expected = byHand.Lessons().Capture();
        for (CountingForm* opened : {&fresh, &used}) {
            EXPECT_EQ(opened->Lessons().Capture(), expected);
            EXPECT_EQ(WindowFacts(*opened, false), WindowFacts(byHand, false));
            // Every cell within the row counts, and what the filter reads beyond.
            for (int row = 0; row < byHand.IirCells().RowCount(); ++row)
                for (int column = 0; column < 3; ++column)
                    ASSERT_EQ(opened->IirCells().Cell(column, row),
                              byHand.IirCells().Cell(column, row))
                        << column << ' ' << row;
            for (int row = 0; row < byHand.FirCells().RowCount(); ++row)
                for (int column = 0; column < 2; ++column)
                    ASSERT_EQ(opened->FirCells().Cell(column, row),
                              byHand.FirCells().Cell(column, row))
                        << column << ' ' << row;
        }
        const RunResult hand = RunSamples(byHand, RoundTripSamples);
        for (CountingForm* opened : {&fresh, &used}) {
            const RunResult run = RunSamples(*opened, RoundTripSamples);
            EXPECT_EQ(run.error, hand.error);
            EXPECT_TRUE(SameBits(run.samples, hand.samples));
            EXPECT_EQ(WindowFacts(*opened, true), WindowFacts(byHand, true));
        }
    }
}

TEST_F(Lessons, NotesShowInTheLessonWindowAndAreKeptWhenSavedAgain) {
    ScriptedDialogs dialogs;
    CountingForm form(dialogs);
    const std::string path = Path("notes.signova");
    std::ofstream(path) << "{\"signova_lesson\": \"1.0\", \"notes\": \"Watch the edges.\"}\n";
    Open(form, dialogs, path);
    ASSERT_NE(form.Lessons().NotesWindow(), nullptr);
    EXPECT_TRUE(form.Lessons().NotesWindow()->isVisible());
    EXPECT_EQ(form.Lessons().NotesWindow()->windowTitle(), QStringLiteral("Lesson"));
    EXPECT_EQ(form.Lessons().NotesWindow()->Notes(), QStringLiteral("Watch the edges."));
    const std::string again = Save(form, dialogs, "again.signova");
    EXPECT_EQ(signova::ReadLessonFile(again).lesson.notes, "Watch the edges.");

    // A lesson without notes closes the window and saves none.
    const std::string plain = Path("plain.signova");
    std::ofstream(plain) << "{\"signova_lesson\": \"1.0\"}\n";
    Open(form, dialogs, plain);
    EXPECT_FALSE(form.Lessons().NotesWindow()->isVisible());
    EXPECT_EQ(signova::ReadLessonFile(Save(form, dialogs, "plain_again.signova")).lesson.notes, "");
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{});
}

TEST_F(Lessons, UnknownKeysAreListedInOneInformationBoxAfterOpening) {
    ScriptedDialogs dialogs;
    CountingForm form(dialogs);
    const std::string path = Path("later.signova");
    std::ofstream(path) << "{\"signova_lesson\": \"1.3\", \"dial\": 2000,\n"
                           " \"views\": {\"cursors\": {}}, \"sound\": true}\n";
    Open(form, dialogs, path);
    EXPECT_EQ(form.Control<QSlider>("Dial")->value(), 2000);
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"inform: The lesson " + path +
                                       " holds settings this version of SIGNOVA does not know; "
                                       "they were left out:\n/views/cursors\n/sound"});

    // Twenty are listed, the rest counted.
    std::ofstream many(path);
    many << "{\"signova_lesson\": \"1.3\"";
    std::string listed;
    for (char key = 'a'; key < 'a' + 22; ++key) {
        many << ", \"" << key << "\": 0";
        if (key < 'a' + 20)
            listed += std::string("\n/") + key;
    }
    many << "}\n";
    many.close();
    dialogs.shown.clear();
    Open(form, dialogs, path);
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"inform: The lesson " + path +
                                       " holds settings this version of SIGNOVA does not know; "
                                       "they were left out:" +
                                       listed + "\nand 2 more"});
}

struct RefusedFile {
    const char* name;
    std::string contents;
    std::string problem;
};

std::string Rows(int count, const std::string& row) {
    std::string rows;
    for (int i = 0; i < count; ++i)
        rows += (i == 0 ? "" : ", ") + row;
    return rows;
}

const std::string Head = "{\"signova_lesson\": \"1.0\",\n";

class RefusedLesson : public Lessons, public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(RefusedLesson, NamesTheFileAndItsFirstProblemAndChangesNothing) {
    ScriptedDialogs dialogs;
    CountingForm form(dialogs);
    SetByHand(form, 7);
    const std::string before = WindowFacts(form, true);
    const Lesson lessonBefore = form.Lessons().Capture();
    const RefusedFile& file = GetParam();
    std::string path = Path(file.name);
    if (file.contents == "<fifo>") {
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else if (file.contents == "<device>") {
        path = "/dev/zero";
    } else if (file.contents == "<huge>") {
        std::ofstream(path) << Head;
        ASSERT_TRUE(QFile::resize(QString::fromStdString(path), (qint64{128} << 20) + 1));
    } else {
        std::ofstream(path, std::ios::binary) << file.contents;
    }
    Open(form, dialogs, path);
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"error: Cannot open lesson " + path + ": " + file.problem});
    EXPECT_EQ(WindowFacts(form, true), before);
    EXPECT_EQ(form.Lessons().Capture(), lessonBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedLesson,
    ::testing::Values(
        RefusedFile{"coefficients", "//SIGNOVA\n//TYPE FIR\n1\n",
                    "not a SIGNOVA lesson: its first line does not name the lesson format."},
        RefusedFile{"major2", "{\"signova_lesson\": \"2.0\"}",
                    "/signova_lesson: version 2.0 of the lesson format; this program opens "
                    "version 1.x."},
        RefusedFile{"truncated", Head + "  \"dial\": 2000,\n  \"tables\": {\"fir\": {\"rows\": [[",
                    "parse error at line 3, column 32: syntax error while parsing value - "
                    "unexpected end of input; expected '[', '{', or a literal."},
        RefusedFile{"out_of_range", Head + "\"amp\": 50, \"dial\": 12000}",
                    "/dial: 12000 is not between 900 and 11000."},
        RefusedFile{"wrong_kind", Head + "\"filter\": \"yes\"}",
                    "/filter: true or false is expected, not \"yes\""},
        RefusedFile{"iir_rows", Head + "\"tables\": {\"iir\": {\"rows\": [" +
                                    Rows(104, "[\"0\", \"0\", \"1\"]") + "]}}}",
                    "/tables/iir/rows: more than 103 coefficient rows (104)"},
        RefusedFile{"fir_values", Head + "\"tables\": {\"fir\": {\"rows\": [" +
                                      Rows(300, "[\"h\", \"1\"]") + "], \"beyond\": [\"1\"]}}}",
                    "/tables/fir: more than 300 values for the filter."},
        RefusedFile{"nul", Head + "\"notes\": \"a" + std::string(1, '\0') + "b\"}",
                    "a NUL byte at line 2, column 12."},
        RefusedFile{"huge", "<huge>", "the file is larger than 128 MiB."},
        RefusedFile{"fifo", "<fifo>", "it is no regular file that can be read."},
        RefusedFile{"device", "<device>", "it is no regular file that can be read."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Lessons, ARefusedSaveLeavesTheFileThereAsItWas) {
    ScriptedDialogs dialogs;
    CountingForm form(dialogs);
    const std::string path = Path("kept.signova");
    std::ofstream(path) << "old";
    dialogs.answers.push_back(signova::DialogResult::No);
    (void)Save(form, dialogs, "kept.signova");
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
    dialogs.saveFiles.push_back(Path("missing/folder/x.signova"));
    form.Lessons().SaveAction().trigger();
    EXPECT_EQ(dialogs.shown.back(),
              "error: Cannot write file " + Path("missing/folder/x.signova") + ".");
}

TEST_F(Lessons, AWriteThatFailsHalfWayLeavesNoFileAndTheOldOneAsItWas) {
    const auto writeHalf = [](QSaveFile& file) {
        file.write("half");
        return false;
    };
    const std::string fresh = Path("fresh.signova");
    EXPECT_THROW(WriteSavedFile(fresh, writeHalf), signova::FileWriteError);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(fresh)));
    const std::string kept = Path("kept.signova");
    std::ofstream(kept) << "old";
    EXPECT_THROW(WriteSavedFile(kept, writeHalf), signova::FileWriteError);
    std::ifstream in(kept);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("kept.signova")});
}

TEST_F(Lessons, SaveTableCommitsTheOpenEditorAndARefusedTableAsksNothing) {
    ScriptedDialogs dialogs;
    CountingForm form(dialogs);
    form.ShowPage(FirPage);
    form.show();
    auto* grid = form.Control<GridView>("FIRgrid");
    grid->setCurrentIndex(grid->model()->index(0, 1));
    grid->edit(grid->currentIndex());
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("0.5"));
    form.ShowTableTitle(FilterKind::Fir, " Mine");
    dialogs.saveFiles.push_back(Path("table.txt"));
    form.Lessons().SaveTableAs(FilterKind::Fir);
    std::ifstream in(Path("table.txt"));
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(text.substr(0, 44), "//SIGNOVA\n//TYPE FIR\n//TITLE Mine\n0.5\n0.0208");

    form.FirCells().SetCell(1, 3, "x");
    Guarded(dialogs, [&] { form.Lessons().SaveTableAs(FilterKind::Fir); })();
    EXPECT_EQ(dialogs.shown.back(),
              "error: Cannot save the table: h3 holds 'x', which is not a number.");
    EXPECT_EQ(dialogs.saveChoices.size(), 1u);
}

TEST_F(Lessons, AFileNamedOnTheCommandLineGoesWhereItsFirstLinesSay) {
    ScriptedDialogs dialogs;
    CountingForm form(dialogs);
    const std::string iir = Path("iir.txt");
    std::ofstream(iir) << "//SIGNOVA\n//TITLE Leaky\n//TYPE IIR\n0\n0.9\n0.1\n0\n";
    form.Lessons().OpenFile(iir);
    EXPECT_EQ(form.Control<QTabWidget>("DSPcontrol")->currentIndex(), IirPage);
    EXPECT_EQ(form.IirCells().Cell(1, 2), "0.9");
    EXPECT_EQ(form.TableTitle(FilterKind::Iir), " Leaky");

    const std::string fir = Path("fir.txt");
    std::ofstream(fir) << "//SIGNOVA\n//TYPE FIR\n0.25\n0.75\n";
    form.Lessons().OpenFile(fir);
    EXPECT_EQ(form.Control<QTabWidget>("DSPcontrol")->currentIndex(), FirPage);
    EXPECT_EQ(form.FirCells().Cell(1, 1), "0.75");

    const std::string lesson = Path("named.signova");
    std::ofstream(lesson) << "{\"signova_lesson\": \"1.0\", \"dial\": 2500, \"page\": \"Info\"}\n";
    form.Lessons().OpenFile(lesson);
    EXPECT_EQ(form.Control<QSlider>("Dial")->value(), 2500);
    EXPECT_EQ(form.Control<QTabWidget>("DSPcontrol")->currentIndex(), InfoPage);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{});

    for (const char* text : {"//SIGNOVA\n//TYPE FIR IIR\n1\n", "//SIGNOVA\n1\n", "hello\n"}) {
        const std::string path = Path("unclear.txt");
        std::ofstream(path) << text;
        EXPECT_THROW(
            {
                try {
                    form.Lessons().OpenFile(path);
                } catch (const signova::SignovaError& error) {
                    EXPECT_EQ(error.Text(), "Cannot tell which table " + path + " is for");
                    throw;
                }
            },
            signova::FileNamingError);
    }
}

} // namespace
