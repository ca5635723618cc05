#pragma once

#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "lesson/lesson.h"
#include "lesson/lesson_file.h"
#include "toolkit/cell_store.h"
#include "toolkit/dialogs.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <string>

class GridView;
class LessonWindow;
class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QScrollBar;
class QSlider;
class QTabWidget;
class RadioGroup;
class TForm1;
class ViewMenus;

// What a lesson reads and sets in the main window, handed over by it: the
// window (whose handlers set the state from the controls), the state, the
// tables and every control a lesson holds.
struct LessonSources {
    TForm1& window;
    signova::SimulatorState& state;
    signova::CellStore& firCells;
    signova::CellStore& iirCells;
    std::array<QAbstractButton*, 4> rangeButtons;
    QSlider& dial;
    QComboBox& waveform;
    QScrollBar& amp;
    QScrollBar& gain;
    QComboBox& bits;
    QComboBox& sampleRate;
    RadioGroup& timebase;
    RadioGroup& input;
    QCheckBox& filter;
    QTabWidget& pages;
    GridView& firGrid;
    GridView& iirGrid;
    ViewMenus& views;
};

// Lessons: a whole experiment saved into a file and opened again (Ctrl+S and
// Ctrl+O, also on the scope's menu), "Save table as…" on each table's menu,
// and the files named on the command line. Opening a lesson stops a run and
// sets every control through the window's own handlers, so that everything
// derived from them is what the same clicks in a fresh window give; a file
// that cannot be opened changes nothing.
class LessonController : public QObject {
    Q_OBJECT
public:
    LessonController(const LessonSources& sources, signova::Dialogs& dialogs);
    ~LessonController() override;

    // Ctrl+O: asks for a lesson file and opens it.
    void OpenLesson();
    // Ctrl+S: asks where, then saves the window as a lesson.
    void SaveLesson();
    // "Save table as…": the table as a coefficient file its Load reads back.
    void SaveTableAs(signova::FilterKind table);
    // A file named on the command line: a lesson, or a coefficient file that
    // goes to the table its first "//TYPE" line names, as Load would put it.
    void OpenFile(const std::string& path);
    void OpenLessonFile(const std::string& path);
    // A lesson already read from `path`: put into the window, then its
    // unknown keys listed, as opening the file does.
    void OpenRead(const signova::LessonRead& read, const std::string& path);

    // The window as a lesson, and a lesson put into the window.
    signova::Lesson Capture() const;
    void Apply(const signova::Lesson& lesson);

    // The notes of the lesson opened last, kept when it is saved again.
    const std::string& Notes() const { return notes_; }
    // The "Lesson" window, once a lesson with notes has been opened.
    LessonWindow* NotesWindow() const;
    QAction& OpenAction() const { return *openAction_; }
    QAction& SaveAction() const { return *saveAction_; }

signals:
    // A lesson has just written both tables.
    void TablesSet();

private:
    void SetControls(const signova::Lesson& lesson);
    void SetTables(const signova::Lesson& lesson);
    void SetViews(const signova::Lesson& lesson);
    void ShowNotes();

    LessonSources sources_;
    signova::Dialogs& dialogs_;
    std::string notes_;
    QAction* openAction_;
    QAction* saveAction_;
    QPointer<LessonWindow> notesWindow_;
};
