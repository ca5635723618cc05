#include "tests/ui/form_fixture.h"

#include "chart/chart.h"
#include "engine/fir_filter.h"
#include "ui/chart_widget.h"
#include "ui/design_dialog.h"
#include "ui/filter_designer.h"
#include "ui/lesson_controller.h"
#include "ui/run_restart.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using signova::FilterKind;
using signova::testing::ScriptedDialogs;

const std::string ReplaceFirEdits =
    "confirm: The FIR table holds edits.\nReplace them with the design?";

class Design : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};

    ~Design() override {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<DesignDialog*>(window))
                window->close();
    }

    // Opens the table's dialog through its menu.
    DesignDialog& Open(FilterKind table) {
        QMenu* menu = form.findChild<QMenu*>(table == FilterKind::Fir ? "FIRgridMenu" : "IIRGridMenu");
        for (QAction* action : menu->actions())
            if (action->text() == QString::fromUtf8("Design filter\u2026"))
                action->trigger();
        DesignDialog* dialog = form.Designer().Dialog(table);
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    template <typename Widget> Widget& Field(DesignDialog& dialog, const char* name) {
        return *dialog.findChild<Widget*>(QString::fromLatin1(name));
    }
    void Choose(DesignDialog& dialog, const char* combo, const char* text) {
        auto& box = Field<QComboBox>(dialog, combo);
        box.setCurrentIndex(box.findText(QString::fromUtf8(text)));
    }
    void Apply(DesignDialog& dialog) {
        QTest::mouseClick(&Field<QPushButton>(dialog, "DesignApply"), Qt::LeftButton);
    }
    QString Label(const char* name) { return form.Control<QLabel>(name)->text(); }
    // Lets Qt's loop run until `done` or a second has gone.
    template <typename Done> void WaitFor(Done done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
};

} // namespace

// Apply writes the FIR table as Load writes a file of the design: 63 rows,
// the title in the page's label, the filter reads the new taps at once; the
// start-up table is no edit, so nothing is asked.
TEST_F(Design, ApplyWritesTheTableTitleAndFilter) {
    DesignDialog& dialog = Open(FilterKind::Fir);
    Apply(dialog);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{});
    EXPECT_EQ(form.FirCells().RowCount(), 63);
    EXPECT_EQ(form.FirCells().Cell(1, 63), "");
    EXPECT_EQ(form.State().FirLastTap, 62);
    EXPECT_EQ(Label("FIRLabel"), QStringLiteral("Low-pass 3000 Hz, 63 taps, Hamming"));
    EXPECT_EQ(dialog.Problem(), "");

    DesignDialog& iir = Open(FilterKind::Iir);
    Choose(iir, "DesignType", "Elliptic");
    Choose(iir, "DesignBand", "Band-stop");
    Field<QSpinBox>(iir, "DesignSize").setValue(3);
    Apply(iir);
    EXPECT_EQ(form.IirCells().RowCount(), 8);
    EXPECT_EQ(form.State().IirOrder, 7);
    EXPECT_EQ(form.IirCells().Cell(1, 1), "  - - -");
    EXPECT_EQ(Label("IIRLabel"), QStringLiteral("Band-stop 3000-6000 Hz, order 6, elliptic"));
}

// A design that cannot be made says why in the dialog and writes nothing;
// the odd-taps rule is told in the dialog before anyone tries.
TEST_F(Design, ADesignThatCannotBeMadeWritesNothing) {
    DesignDialog& dialog = Open(FilterKind::Fir);
    EXPECT_EQ(Field<QLabel>(dialog, "DesignOddTapsNote").text(),
              QStringLiteral("High-pass and band-stop need an odd number of taps."));
    const std::vector<std::string> before = {form.FirCells().Cell(1, 0), form.FirCells().Cell(1, 47)};
    for (const auto& [band, edge, taps, problem] :
         std::vector<std::tuple<const char*, double, int, std::string>>{
             {"Low-pass", 24000.0, 63,
              "The frequency 24000 Hz must lie between 0 Hz and half the sample rate (24000 Hz)."},
             {"High-pass", 3000.0, 64, "A high-pass or band-stop FIR needs an odd number of taps."}}) {
        Choose(dialog, "DesignBand", band);
        Field<QDoubleSpinBox>(dialog, "DesignEdge").setValue(edge);
        Field<QSpinBox>(dialog, "DesignSize").setValue(taps);
        Apply(dialog);
        EXPECT_EQ(dialog.Problem(), problem);
        EXPECT_EQ(form.FirCells().RowCount(), 200);
        EXPECT_EQ((std::vector<std::string>{form.FirCells().Cell(1, 0), form.FirCells().Cell(1, 47)}),
                  before);
        EXPECT_EQ(Label("FIRLabel"), QString());
    }
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{});
}

// A sample-rate change made while the dialog is open: its rate line, the
// preview's frequency axis and what it says of the edges follow at once.
TEST_F(Design, TheOpenDialogFollowsTheSampleRate) {
    DesignDialog& dialog = Open(FilterKind::Fir);
    Field<QDoubleSpinBox>(dialog, "DesignEdge").setValue(5000.0);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.Problem(), "");
    form.Control<QComboBox>("Sample")->setEditText(QStringLiteral("8000"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Field<QLabel>(dialog, "DesignSampleRate").text(),
              QStringLiteral("Frequencies in Hz at the sample rate of 8000 Hz"));
    EXPECT_EQ(dialog.Problem(),
              "The frequency 5000 Hz must lie between 0 Hz and half the sample rate (4000 Hz).");
    Field<QDoubleSpinBox>(dialog, "DesignEdge").setValue(1000.0);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.Problem(), "");
    const signova::TChart& preview = dialog.Preview().Chart();
    EXPECT_EQ(preview.BottomAxis().Maximum(), 4000.0);
    EXPECT_EQ(preview.Series(0).XValues().back(), 4000.0);
}

// Edits are cells that differ from what the last Load, Apply, lesson or
// start-up wrote: Apply asks before it replaces them, and No keeps them.
TEST_F(Design, ApplyAsksBeforeItReplacesEdits) {
    DesignDialog& dialog = Open(FilterKind::Fir);
    form.FirCells().SetCell(1, 3, "0.5");
    dialogs.answers = {signova::DialogResult::No, signova::DialogResult::Yes};
    Apply(dialog);
    EXPECT_EQ(form.FirCells().Cell(1, 3), "0.5");
    EXPECT_EQ(form.FirCells().RowCount(), 200);
    Apply(dialog);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{ReplaceFirEdits, ReplaceFirEdits}));
    EXPECT_EQ(form.FirCells().RowCount(), 63);

    // What Apply wrote, and then what a Load wrote, are no edits.
    Field<QSpinBox>(dialog, "DesignSize").setValue(31);
    Apply(dialog);
    dialogs.files.push_back(SIGNOVA_EXAMPLES_DIR "/fir_moving_average_4.txt");
    form.LoadFIRClick();
    Apply(dialog);
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(form.FirCells().RowCount(), 31);

    // A lesson's tables too.
    form.FirCells().SetCell(1, 0, "1");
    form.Lessons().Apply(form.Lessons().Capture());
    Apply(dialog);
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

// Apply during a run stops it at once and starts a new run only once the
// stopped one has returned to Qt's loop: never one nested in the other. The
// new run filters with the design. Without a run nothing starts.
TEST_F(Design, ApplyDuringARunRestartsItAfterItReturned) {
    form.ShowPage(FirPage);
    DesignDialog& dialog = Open(FilterKind::Fir);
    Apply(dialog);
    EXPECT_EQ(form.RunDepth(), 0);
    EXPECT_FALSE(form.Restarter().Pending());

    Field<QSpinBox>(dialog, "DesignSize").setValue(31);
    int deepest = 0;
    int lastTapInRestartedRun = -1;
    int runs = 0;
    form.onSample = [&](int sample) {
        deepest = std::max(deepest, form.RunDepth());
        if (sample == 100)
            Apply(dialog);
        if (sample == 101)
            ++runs; // the first sample of the restarted run
        if (sample > 100)
            lastTapInRestartedRun = form.State().FirLastTap;
        if (sample > 1000)
            form.StopClick(); // a run nested by mistake would never end
    };
    form.RunSamples(-1);
    EXPECT_EQ(form.samples, 100); // stopped at once
    EXPECT_TRUE(form.Restarter().Pending());
    form.stopAfter = 300;
    WaitFor([&] { return form.samples >= 300; });
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(lastTapInRestartedRun, 30);
    EXPECT_EQ(form.RunDepth(), 0);
}
