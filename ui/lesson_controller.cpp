#include "ui/lesson_controller.h"

#include "coefficients/table_file.h"
#include "engine/fir_filter.h"
#include "lesson/lesson_file.h"
#include "lesson/lesson_tables.h"
#include "scope/sweep_capture.h"
#include "toolkit/errors.h"
#include "toolkit/line_buffer.h"
#include "ui/SIGNOVA_Unit.h"
#include "ui/grid_view.h"
#include "ui/guarded.h"
#include "ui/lesson_window.h"
#include "ui/radio_group.h"
#include "ui/save_target.h"
#include "ui/tool_window.h"
#include "ui/view_menus.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>

#include <algorithm>

namespace {

using signova::FilterKind;
using signova::Lesson;
using signova::LessonPage;
using signova::LessonResponse;

const QString OpenLessonText = QString::fromUtf8("Open lesson\u2026");
const QString SaveLessonText = QString::fromUtf8("Save lesson\u2026");
const QString SaveTableText = QString::fromUtf8("Save table as\u2026");

// The unknown keys one information box lists; any more are counted.
constexpr std::size_t ListedUnknownKeys = 20;
// The FIR table's start-up FirLastTap: what the window has before any read.
constexpr std::int32_t StartUpFirLastTap = 47;

int BitsOf(std::int32_t maxCode) {
    return maxCode == 127 ? 8 : maxCode == 511 ? 10 : 12;
}

std::string UnknownKeysText(const std::string& path, const std::vector<std::string>& keys) {
    std::string text = "The lesson " + path +
                       " holds settings this version of SIGNOVA does not know; they were left out:";
    for (std::size_t i = 0; i < std::min(keys.size(), ListedUnknownKeys); ++i)
        text += "\n" + keys[i];
    if (keys.size() > ListedUnknownKeys)
        text += "\nand " + std::to_string(keys.size() - ListedUnknownKeys) + " more";
    return text;
}

// What kind of file the command line names, from its first line and its
// first "//TYPE" line.
enum class NamedFile { Lesson, FirTable, IirTable, Unknown };

NamedFile KindOfFile(const std::string& contents) {
    signova::LineBuffer lines;
    lines.SetText(contents.substr(0, contents.find('\n')));
    const std::string& first = lines.Line(0);
    if (signova::NamesLessonFormat(first))
        return NamedFile::Lesson;
    if (first != "//SIGNOVA")
        return NamedFile::Unknown;
    lines.SetText(contents);
    for (const std::string& line : lines.Lines()) {
        if (line.find("//TYPE") == std::string::npos)
            continue;
        const bool fir = line.find("FIR") != std::string::npos;
        const bool iir = line.find("IIR") != std::string::npos;
        if (fir == iir)
            return NamedFile::Unknown;
        return fir ? NamedFile::FirTable : NamedFile::IirTable;
    }
    return NamedFile::Unknown;
}

} // namespace

LessonController::LessonController(const LessonSources& sources, signova::Dialogs& dialogs)
    : sources_(sources), dialogs_(dialogs) {
    auto guard = [this](auto handler) { return Guarded(dialogs_, handler); };
    QWidget& window = sources_.window;
    openAction_ = new QAction(OpenLessonText, &window);
    openAction_->setObjectName(QStringLiteral("OpenLessonAction"));
    openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    saveAction_ = new QAction(SaveLessonText, &window);
    saveAction_->setObjectName(QStringLiteral("SaveLessonAction"));
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    window.addAction(openAction_);
    window.addAction(saveAction_);
    connect(openAction_, &QAction::triggered, this, guard([this](bool) { OpenLesson(); }));
    connect(saveAction_, &QAction::triggered, this, guard([this](bool) { SaveLesson(); }));

    QMenu& scopeMenu = sources_.views.ScopeMenu();
    scopeMenu.addSeparator();
    scopeMenu.addAction(openAction_);
    scopeMenu.addAction(saveAction_);
    for (const FilterKind table : {FilterKind::Fir, FilterKind::Iir}) {
        QAction* save = sources_.views.TableMenu(table).addAction(SaveTableText);
        connect(save, &QAction::triggered, this,
                guard([this, table](bool) { SaveTableAs(table); }));
    }
}

LessonController::~LessonController() = default;

LessonWindow* LessonController::NotesWindow() const {
    return notesWindow_;
}

// ---- opening ---------------------------------------------------------------

void LessonController::OpenLesson() {
    if (const std::optional<std::string> path = dialogs_.ChooseLessonFile())
        OpenLessonFile(*path);
}

void LessonController::OpenLessonFile(const std::string& path) {
    // Read and checked whole before anything in the window changes.
    OpenRead(signova::ReadLessonFile(path), path);
}

void LessonController::OpenRead(const signova::LessonRead& read, const std::string& path) {
    Apply(read.lesson);
    if (!read.unknownKeys.empty())
        dialogs_.Inform(UnknownKeysText(path, read.unknownKeys));
}

void LessonController::OpenFile(const std::string& path) {
    std::string contents;
    if (signova::ReadWholeFile(path, contents, signova::MaxLessonFileSize) ==
        signova::FileReadResult::TooLarge) {
        dialogs_.ShowMessage(signova::FileTooLargeText(path));
        return;
    }
    switch (KindOfFile(contents)) {
    case NamedFile::Lesson:
        OpenLessonFile(path);
        return;
    case NamedFile::FirTable:
        sources_.pages.setCurrentIndex(static_cast<int>(LessonPage::Fir));
        sources_.window.LoadTableFile(FilterKind::Fir, path);
        return;
    case NamedFile::IirTable:
        sources_.pages.setCurrentIndex(static_cast<int>(LessonPage::Iir));
        sources_.window.LoadTableFile(FilterKind::Iir, path);
        return;
    case NamedFile::Unknown:
        throw signova::FileNamingError("Cannot tell which table " + path + " is for");
    }
}

void LessonController::Apply(const Lesson& lesson) {
    sources_.window.StopClick();
    // An open editor would write its text over the lesson's cell.
    sources_.firGrid.CancelEdit();
    sources_.iirGrid.CancelEdit();
    SetControls(lesson);
    SetTables(lesson);
    SetViews(lesson);
    notes_ = lesson.notes;
    ShowNotes();
}

void LessonController::SetControls(const Lesson& lesson) {
    signova::SimulatorState& state = sources_.state;
    // What no control shows starts as at start-up: the noise, the pulse, the
    // blinking, the filters' memories and the sweep.
    state.RandomState = 0;
    state.PulseFired = false;
    state.BlinkState = 0;
    state.FirCoefficients.fill(0.0);
    state.InputDelay.fill(0.0);
    state.IirACoefficients.fill(0.0);
    state.IirBCoefficients.fill(0.0);
    state.OutputDelay.fill(0.0);
    state.Phase = 0;
    state.SweepIndex = 0;
    signova::SetStartSweep(state);

    sources_.pages.setCurrentIndex(static_cast<int>(lesson.page));
    sources_.rangeButtons[static_cast<std::size_t>(lesson.rangeButton)]->setChecked(true);
    sources_.dial.setValue(lesson.dial);
    const auto text = [](std::string_view name) {
        return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    };
    sources_.waveform.setCurrentIndex(lesson.waveform - signova::SineWave);
    sources_.waveform.setEditText(
        text(signova::LessonWaveformNames[static_cast<std::size_t>(lesson.waveform - 1)]));
    sources_.amp.setValue(lesson.amp);
    sources_.gain.setValue(lesson.gain);
    sources_.bits.setCurrentIndex(sources_.bits.findText(QString::number(lesson.bits)));
    sources_.bits.setEditText(QString::number(lesson.bits));
    sources_.sampleRate.setCurrentIndex(
        sources_.sampleRate.findText(QString::number(lesson.sampleRate)));
    sources_.sampleRate.setEditText(QString::number(lesson.sampleRate));
    sources_.timebase.SetItemIndex(lesson.timebaseItem);
    sources_.input.SetItemIndex(lesson.inputItem);
    sources_.filter.setChecked(lesson.filter);

    // The handlers once more in start-up order, whichever signals the
    // changes above gave: the state then follows the controls alone.
    TForm1& window = sources_.window;
    window.SpeedButtonClick();
    window.VormChange();
    window.GainsbChange();
    window.DialChange();
    window.AmpsbChange();
    window.SampleChange();
    window.BitsChange();
}

void LessonController::SetTables(const Lesson& lesson) {
    signova::SimulatorState& state = sources_.state;
    signova::ApplyFirTable(lesson.fir, sources_.firCells);
    signova::ApplyIirTable(lesson.iir, sources_.iirCells);
    state.IirOrder = static_cast<std::int32_t>(lesson.iir.rows.size());
    // FirLastTap as a Load of the table gives it: the last value read, or
    // the start-up tap when a cell is no number.
    state.FirLastTap = StartUpFirLastTap;
    try {
        signova::ReadFIRCoefficients(state, sources_.firCells);
    } catch (const signova::SignovaError&) {
        // The run reports the cell when it reads the table.
    }
    state.FileTitle = lesson.fileTitle;
    sources_.window.ShowTableTitle(FilterKind::Fir, lesson.firTitle);
    sources_.window.ShowTableTitle(FilterKind::Iir, lesson.iirTitle);
    sources_.firGrid.ShowFirstRow();
    sources_.iirGrid.ShowFirstRow();
    emit TablesSet();
}

void LessonController::SetViews(const Lesson& lesson) {
    ViewMenus& views = sources_.views;
    if (lesson.response == LessonResponse::Closed)
        views.HideResponse();
    else
        views.ShowResponse(lesson.response == LessonResponse::Fir ? FilterKind::Fir
                                                                   : FilterKind::Iir);
    if (lesson.spectrum)
        views.ShowSpectrum();
    else
        views.HideSpectrum();
}

void LessonController::ShowNotes() {
    if (notes_.empty()) {
        if (notesWindow_)
            notesWindow_->hide();
        return;
    }
    if (!notesWindow_) {
        notesWindow_ = new LessonWindow;
        MakeToolWindow(*notesWindow_, sources_.window);
    }
    notesWindow_->ShowNotes(notes_);
    notesWindow_->show();
}

// ---- saving ----------------------------------------------------------------

Lesson LessonController::Capture() const {
    const signova::SimulatorState& state = sources_.state;
    Lesson lesson;
    lesson.page = static_cast<LessonPage>(std::clamp(sources_.pages.currentIndex(), 0, 3));
    for (std::size_t i = 0; i < sources_.rangeButtons.size(); ++i)
        if (sources_.rangeButtons[i]->isChecked())
            lesson.rangeButton = static_cast<int>(i);
    lesson.dial = sources_.dial.value();
    // The choices in effect: a combo box may show a text being typed.
    lesson.waveform = state.Waveform;
    lesson.amp = sources_.amp.value();
    lesson.gain = sources_.gain.value();
    lesson.bits = BitsOf(state.MaxCode);
    lesson.sampleRate = state.SampleRate;
    lesson.timebaseItem = std::clamp(sources_.timebase.ItemIndex(), 0, 1);
    lesson.inputItem = std::clamp(sources_.input.ItemIndex(), 0, 2);
    lesson.filter = sources_.filter.isChecked();
    if (const std::optional<FilterKind> shown = sources_.views.ShownResponse())
        lesson.response = *shown == FilterKind::Fir ? LessonResponse::Fir : LessonResponse::Iir;
    lesson.spectrum = sources_.views.SpectrumShown();
    lesson.fileTitle = state.FileTitle;
    lesson.firTitle = sources_.window.TableTitle(FilterKind::Fir);
    lesson.iirTitle = sources_.window.TableTitle(FilterKind::Iir);
    lesson.fir = signova::CaptureFirTable(sources_.firCells);
    lesson.iir = signova::CaptureIirTable(sources_.iirCells);
    lesson.notes = notes_;
    return lesson;
}

void LessonController::SaveLesson() {
    sources_.firGrid.CommitEdit();
    sources_.iirGrid.CommitEdit();
    const std::string text = signova::LessonText(Capture());
    if (const std::optional<std::string> path =
            ChooseSaveTarget(dialogs_, "SIGNOVA lesson", "signova"))
        WriteSavedText(*path, text);
}

void LessonController::SaveTableAs(FilterKind table) {
    GridView& grid = table == FilterKind::Fir ? sources_.firGrid : sources_.iirGrid;
    grid.CommitEdit();
    const std::string& title = sources_.window.TableTitle(table);
    // Refused before the file is chosen: nothing is written.
    const std::string text = table == FilterKind::Fir
                                 ? signova::FirTableFileText(sources_.firCells, title)
                                 : signova::IirTableFileText(sources_.iirCells, title);
    if (const std::optional<std::string> path =
            ChooseSaveTarget(dialogs_, "Coefficient file", "txt"))
        WriteSavedText(*path, text);
}
