#include "tests/ui/form_fixture.h"

#include "ui/chart_widget.h"
#include "ui/radio_group.h"
#include "ui/response_window.h"
#include "ui/scope_measure.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using signova::testing::ScriptedDialogs;

class Measure : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};
    ChartWidget* scope = form.Control<ChartWidget>("Chart1");

    QAction* Item(const char* menu, const QString& text) {
        for (QAction* action : form.Control<QMenu>(menu)->actions())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << "no item " << text.toStdString();
        return nullptr;
    }
    void Choose(const QString& text) { Item("Chart1Menu", text)->trigger(); }
    // One sweep on the scope, drawn by a FIR run.
    void DrawASweep() {
        form.ShowPage(FirPage);
        form.RunSamples(500);
        ASSERT_GT(form.SweepsPlotted(), 0);
    }
    QPoint PixelOf(double x, double y) {
        const signova::ChartLayout layout = scope->CurrentLayout();
        return {layout.Axis(signova::AxisPosition::Bottom).ToPixel(x),
                layout.Axis(signova::AxisPosition::Left).ToPixel(y)};
    }
};

TEST_F(Measure, EveryNewMenuEntryHasATooltip) {
    for (const char* text : {"Cursors", "Single sweep", "Hold as reference", "Clear reference"})
        EXPECT_FALSE(Item("Chart1Menu", QString::fromLatin1(text))->toolTip().isEmpty()) << text;
}

TEST_F(Measure, SingleSweepFromIdleRunsUntilOneSweepIsDrawn) {
    form.ShowPage(FirPage);
    Choose("Single sweep");
    EXPECT_EQ(form.SweepsPlotted(), 1);
    EXPECT_EQ(form.RunDepth(), 0);
    EXPECT_TRUE(form.State().StopRequested);
    EXPECT_TRUE(form.Control<QLabel>("RunLabel")->isHidden());
    // The next run is not cut short by it.
    form.RunSamples(2000);
    EXPECT_EQ(form.samples, 2000);
}

TEST_F(Measure, SingleSweepInARunStopsItAfterExactlyOneMoreSweep) {
    form.ShowPage(IirPage);
    long long sweepsAtPress = -1;
    form.onSample = [&](int sample) {
        if (sample == 700) {
            sweepsAtPress = form.SweepsPlotted();
            Choose("Single sweep");
        }
    };
    form.RunSamples(100000);
    ASSERT_GT(sweepsAtPress, 0);
    EXPECT_EQ(form.SweepsPlotted(), sweepsAtPress + 1);
    EXPECT_LT(form.samples, 100000); // stopped, not run out
    EXPECT_EQ(form.RunDepth(), 0);
}

TEST_F(Measure, SingleSweepOnThePagesWithoutAFilterDoesNothing) {
    for (int page : {InfoPage, SettingsPage}) {
        form.ShowPage(page);
        Choose("Single sweep");
        EXPECT_EQ(form.samples, 0);
        EXPECT_EQ(form.SweepsPlotted(), 0);
    }
    form.ShowPage(FirPage);
    form.RunSamples(2000); // nothing was left armed
    EXPECT_EQ(form.samples, 2000);
}

TEST_F(Measure, CursorsAreDraggedOntoSamples) {
    DrawASweep();
    Item("Chart1Menu", "Cursors")->setChecked(true);
    ScopeMeasure& measure = form.Measure();
    ASSERT_TRUE(measure.CursorsShown());
    const signova::DrawnSweep& sweep = measure.Sweep();
    const signova::CursorPlaces before = measure.Places();
    EXPECT_EQ(before.time1, sweep.lastSample / 4);
    // Take the first time cursor up at its line, drop it near sample 100.
    const int levelY = PixelOf(0, 500).y(); // far from both level cursors
    QTest::mousePress(scope, Qt::LeftButton, {},
                      {PixelOf(signova::PlottedX(sweep, before.time1), 0).x(), levelY});
    QTest::mouseMove(scope, {PixelOf(signova::PlottedX(sweep, 100), 0).x(), levelY});
    QTest::mouseRelease(scope, Qt::LeftButton, {},
                        {PixelOf(signova::PlottedX(sweep, 100), 0).x(), levelY});
    EXPECT_EQ(measure.Places().time1, 100);
    EXPECT_EQ(measure.Places().time2, before.time2);
    // A level cursor dropped on an input sample sits on that sample.
    const int n = 30;
    const QPoint level1 =
        PixelOf(0, signova::PlottedY(sweep, before.level1.trace, before.level1.sample));
    const QPoint onInput =
        PixelOf(signova::PlottedX(sweep, n), signova::PlottedY(sweep, signova::Trace::Input, n));
    QTest::mousePress(scope, Qt::LeftButton, {},
                      {PixelOf(signova::PlottedX(sweep, 150), 0).x(), level1.y()});
    QTest::mouseMove(scope, onInput);
    QTest::mouseRelease(scope, Qt::LeftButton, {}, onInput);
    EXPECT_EQ(measure.Places().level1, (signova::SampleCursor{signova::Trace::Input, n}));
}

TEST_F(Measure, ReferenceIsALayerClearedByAChangeOfWhatItWasDrawnWith) {
    DrawASweep();
    ScopeMeasure& measure = form.Measure();
    struct Change {
        const char* name;
        std::function<void()> make;
    } changes[] = {
        {"timebase", [&] { form.Control<RadioGroup>("Tijdbasis")->Items()[0]->click(); }},
        {"sample rate", [&] { form.Control<QComboBox>("Sample")->setEditText("8000"); }},
        {"bits", [&] { form.Control<QComboBox>("Bits")->setEditText("10"); }},
        {"input", [&] { form.Control<RadioGroup>("Input")->Items()[2]->click(); }},
    };
    for (const Change& change : changes) {
        Choose("Hold as reference");
        ASSERT_TRUE(measure.Reference().Held()) << change.name;
        EXPECT_EQ(form.ScopeChart().SeriesCount(), 4U);
        change.make();
        EXPECT_FALSE(measure.Reference().Held()) << change.name;
    }
    Choose("Hold as reference");
    form.Control<QScrollBar>("Gainsb")->setValue(90); // the gain only redraws it
    EXPECT_TRUE(measure.Reference().Held());
    Choose("Clear reference");
    EXPECT_FALSE(measure.Reference().Held());
}

TEST_F(Measure, ResponseShowsTheTableOfThePageShownAndKeepsItElsewhere) {
    Item("FIRgridMenu", QString::fromUtf8("Frequency response\u2026"))->trigger();
    auto* response = form.findChild<ResponseWindow*>("ResponseWindow");
    ASSERT_NE(response, nullptr);
    EXPECT_EQ(response->windowTitle(), "Frequency response: FIR table");
    form.ShowPage(IirPage);
    EXPECT_EQ(response->Table(), signova::FilterKind::Iir);
    EXPECT_EQ(response->windowTitle(), "Frequency response: IIR table");
    for (int page : {InfoPage, SettingsPage}) {
        form.ShowPage(page);
        EXPECT_EQ(response->Table(), signova::FilterKind::Iir);
    }
    form.ShowPage(FirPage);
    EXPECT_EQ(response->Table(), signova::FilterKind::Fir);
}

} // namespace
