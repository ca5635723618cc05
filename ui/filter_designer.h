#pragma once

#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "lesson/lesson.h"
#include "toolkit/cell_store.h"
#include "toolkit/dialogs.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

class DesignDialog;
class GridView;
class QComboBox;
class QMenu;
class QWidget;
class RunRestart;

// What the filter design reads and writes in the main window, handed over by it.
struct DesignSources {
    QWidget& window; // the dialogs are its tool windows
    signova::SimulatorState& state;
    signova::CellStore& firCells;
    signova::CellStore& iirCells;
    GridView& firGrid;
    GridView& iirGrid;
    QMenu& firMenu;
    QMenu& iirMenu;
    // What the window does after a Load has written a table: the title in
    // the page's label, the first row shown, the table read into its filter.
    std::function<void(signova::FilterKind table, const std::string& title)> tableWritten;
    RunRestart& restart;
    // The sample-rate choice: an open dialog shows its edges and preview at
    // the new rate.
    QComboBox& sampleRate;
};

// "Design filter…" on each table's menu: the dialog, and Apply, which writes
// the design into the table as Load writes a file (design/designed_table.h).
// A table whose cells differ from what the last Load, Apply, lesson or the
// start-up wrote holds edits: Apply asks before it replaces them. A run in
// progress is restarted, so the scope shows the new filter at once.
class FilterDesigner : public QObject {
    Q_OBJECT
public:
    FilterDesigner(const DesignSources& sources, signova::Dialogs& dialogs);
    ~FilterDesigner() override;

    void ShowDialog(signova::FilterKind table);
    // The table's dialog, once made.
    DesignDialog* Dialog(signova::FilterKind table) const;
    // Designs what the table's dialog shows and writes it, or says in the
    // dialog why not.
    void Apply(signova::FilterKind table);

    // A Load, a lesson or the start-up has just written the table: what it
    // holds now is no edit.
    void TableWritten(signova::FilterKind table);
    bool HoldsEdits(signova::FilterKind table) const;

private:
    DesignSources sources_;
    signova::Dialogs& dialogs_;
    QPointer<DesignDialog> firDialog_;
    QPointer<DesignDialog> iirDialog_;
    signova::LessonFirTable firWritten_;
    signova::LessonIirTable iirWritten_;
};
