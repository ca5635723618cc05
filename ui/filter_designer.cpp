#include "ui/filter_designer.h"

#include "design/designed_table.h"
#include "design/filter_design.h"
#include "lesson/lesson_tables.h"
#include "ui/design_dialog.h"
#include "ui/grid_view.h"
#include "ui/guarded.h"
#include "ui/run_restart.h"
#include "ui/tool_window.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

namespace {

const QString DesignText = QString::fromUtf8("Design filter\u2026");

std::string ReplaceEditsQuestion(signova::FilterKind table) {
    return std::string(table == signova::FilterKind::Fir ? "The FIR table" : "The IIR table") +
           " holds edits.\nReplace them with the design?";
}

} // namespace

FilterDesigner::FilterDesigner(const DesignSources& sources, signova::Dialogs& dialogs)
    : sources_(sources), dialogs_(dialogs) {
    for (signova::FilterKind table : {signova::FilterKind::Fir, signova::FilterKind::Iir}) {
        QMenu& menu = table == signova::FilterKind::Fir ? sources_.firMenu : sources_.iirMenu;
        connect(menu.addAction(DesignText), &QAction::triggered, this,
                Guarded(dialogs_, [this, table](bool) { ShowDialog(table); }));
        TableWritten(table);
    }
    // The change handler has set the new rate by the time the refresh runs.
    connect(&sources_.sampleRate, &QComboBox::editTextChanged, this, [this] {
        for (DesignDialog* dialog : {firDialog_.data(), iirDialog_.data()})
            if (dialog)
                dialog->ScheduleRefresh();
    });
}

FilterDesigner::~FilterDesigner() = default;

void FilterDesigner::ShowDialog(signova::FilterKind table) {
    QPointer<DesignDialog>& dialog =
        table == signova::FilterKind::Fir ? firDialog_ : iirDialog_;
    if (!dialog) {
        dialog = new DesignDialog(table, [this] { return double(sources_.state.SampleRate); });
        MakeToolWindow(*dialog, sources_.window);
        dialog->onApply = Guarded(dialogs_, [this, table] { Apply(table); });
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

DesignDialog* FilterDesigner::Dialog(signova::FilterKind table) const {
    return table == signova::FilterKind::Fir ? firDialog_ : iirDialog_;
}

void FilterDesigner::Apply(signova::FilterKind table) {
    DesignDialog* dialog = Dialog(table);
    const signova::DesignedFilter design = signova::DesignFilter(dialog->Request());
    dialog->ShowProblem(design.error);
    if (!design.Ok())
        return;
    if (HoldsEdits(table) &&
        dialogs_.Confirm(ReplaceEditsQuestion(table)) != signova::DialogResult::Yes)
        return;
    // The running filter takes the new coefficients when its run starts again.
    sources_.restart.Restart();
    const bool fir = table == signova::FilterKind::Fir;
    // An open editor would write its text over the design.
    (fir ? sources_.firGrid : sources_.iirGrid).CancelEdit();
    signova::WriteDesignedTable(design, sources_.state, fir ? sources_.firCells : sources_.iirCells);
    TableWritten(table);
    sources_.tableWritten(table, design.title);
}

void FilterDesigner::TableWritten(signova::FilterKind table) {
    if (table == signova::FilterKind::Fir)
        firWritten_ = signova::CaptureFirTable(sources_.firCells);
    else
        iirWritten_ = signova::CaptureIirTable(sources_.iirCells);
}

bool FilterDesigner::HoldsEdits(signova::FilterKind table) const {
    if (table == signova::FilterKind::Fir) {
        const signova::LessonFirTable now = signova::CaptureFirTable(sources_.firCells);
        return now.rows != firWritten_.rows || now.beyond != firWritten_.beyond;
    }
    return signova::CaptureIirTable(sources_.iirCells).rows != iirWritten_.rows;
}
