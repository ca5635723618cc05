#include "tests/ui/form_fixture.h"

#include "chart/chart.h"
#include "ui/chart_widget.h"
#include "ui/pole_zero_window.h"
#include "ui/response_window.h"
#include "ui/run_restart.h"
#include "ui/view_menus.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

using signova::FilterKind;
using signova::Root;
using signova::RootRef;
using signova::RootSet;
using signova::testing::ScriptedDialogs;

const double W0 = 2 * std::numbers::pi * 1000 / 48000;

class PoleZero : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};
    PoleZeroWindow& window = Open();

    // The shipped resonator on the IIR page, its poles and zeros shown.
    PoleZeroWindow& Open() {
        form.LoadTableFile(FilterKind::Iir, SIGNOVA_EXAMPLES_DIR "/iir_resonator_1k.txt");
        form.ShowPage(IirPage);
        for (QAction* action : form.findChild<QMenu*>("IIRGridMenu")->actions())
            if (action->text() == QString::fromUtf8("Poles and zeros\u2026"))
                action->trigger();
        PoleZeroWindow& shown = *form.PolesAndZeros().Window();
        shown.resize(420, 480);
        QCoreApplication::processEvents();
        return shown;
    }
    ~PoleZero() override { window.hide(); }

    template <typename Done> void WaitFor(Done done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    // The upper pole dragged with the mouse by `by` pixels.
    void Drag(QPoint by) {
        ZPlaneView& plane = window.Plane();
        const QPoint from = plane.PositionOf(window.Roots().poles.roots[0]).toPoint();
        QTest::mousePress(&plane, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(from + by), plane.mapToGlobal(QPointF(from + by)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&plane, &move);
        QTest::mouseRelease(&plane, Qt::LeftButton, {}, from + by);
    }
};

} // namespace

// What the window shows of the resonator: two poles at 0.99, a double zero
// at the origin, "stable" in the response window's words.
TEST_F(PoleZero, ShowsTheResonatorsRoots) {
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Table(), FilterKind::Iir);
    ASSERT_EQ(window.Roots().poles.roots.size(), 2u);
    EXPECT_NEAR(std::abs(window.Roots().poles.roots[0]), 0.99, 1e-12);
    EXPECT_NEAR(std::arg(window.Roots().poles.roots[0]), W0, 1e-12);
    const auto zeros = signova::GroupRepeatedRoots(window.Roots().zeros.roots);
    ASSERT_EQ(zeros.size(), 1u);
    EXPECT_EQ(zeros[0].multiplicity, 2);
    EXPECT_EQ(window.StabilityText(), QStringLiteral("stable"));
}

// 100 drags during one run stop it at once and start one new run, at depth
// 1, once the stopped run has returned; the table follows every drag.
TEST_F(PoleZero, HundredDragsDuringARunLeaveOneRunAtDepthOne) {
    int deepest = 0;
    int runs = 0;
    form.onSample = [&](int sample) {
        deepest = std::max(deepest, form.RunDepth());
        if (sample == 50)
            for (int drag = 0; drag < 100; ++drag)
                Drag(QPoint(drag % 2 == 0 ? 1 : -1, 0));
        if (sample == 51)
            ++runs;
        if (sample > 5000)
            form.StopClick(); // a run nested by mistake would never end
    };
    const std::string a1Before = form.IirCells().Cell(1, 2);
    form.RunSamples(-1);
    EXPECT_EQ(form.samples, 50);
    EXPECT_NE(form.IirCells().Cell(1, 2), a1Before);
    form.stopAfter = 200;
    WaitFor([&] { return form.samples >= 200; });
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(form.RunDepth(), 0);
    EXPECT_FALSE(form.Restarter().Pending());
}

// Dragging a pole from r = 0.99 out to r = 1.01 marks the filter unstable,
// and the restarted run ends as a run of the typed coefficients does.
TEST_F(PoleZero, DraggingTheResonatorsPoleOutsideMakesItUnstable) {
    form.onSample = [&](int sample) {
        if (sample == 10) {
            window.MoveRoot({RootSet::Poles, 0}, std::polar(1.01, W0));
            window.ReleaseRoot();
        }
    };
    form.RunSamples(-1);
    EXPECT_EQ(window.StabilityText(), QStringLiteral("unstable"));
    EXPECT_NEAR(std::stod(form.IirCells().Cell(1, 3)), -1.01 * 1.01, 1e-14);
    WaitFor([&] { return !dialogs.shown.empty(); });
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"error: Invalid floating point operation."});
    EXPECT_EQ(form.RunDepth(), 0);
}

// While a zero is dragged the response takes its nulls from the dragged
// roots: no eigenproblem per move; a table changed by other means is solved
// again.
TEST_F(PoleZero, TheResponseTakesTheDraggedZerosAsTheyAre) {
    form.ShowPage(FirPage);
    window.ShowTable(FilterKind::Fir);
    form.Views().ShowResponse(FilterKind::Fir);
    ResponseWindow& response = *form.Views().Response();
    QCoreApplication::processEvents();
    const int searches = response.RootSearches();
    const int refreshes = response.Refreshes();
    const auto& zeros = window.Roots().zeros.roots;
    const std::size_t upper = static_cast<std::size_t>(
        std::find_if(zeros.begin(), zeros.end(), [](Root r) { return r.imag() > 0.1; }) -
        zeros.begin());
    ASSERT_LT(upper, zeros.size());
    for (int step = 1; step <= 10; ++step) {
        const double hz = 4000.0 + 50.0 * step;
        window.MoveRoot({RootSet::Zeros, upper}, std::polar(1.0, 2 * std::numbers::pi * hz / 48000));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(response.RootSearches(), searches);
    EXPECT_GE(response.Refreshes(), refreshes + 10);
    // The response followed: the null is now at 4500 Hz, none is left at 1 kHz.
    signova::TChart& chart = response.MagnitudeChart().Chart();
    const signova::TChartSeries& curve = *chart.FindSeries("Magnitude");
    const auto lowestNear = [&](double hz) {
        double lowest = 1e9;
        for (std::size_t i = 0; i < curve.Count(); ++i)
            if (std::abs(curve.XValues()[i] - hz) < 12)
                lowest = std::min(lowest, curve.YValues()[i]);
        return lowest;
    };
    EXPECT_EQ(lowestNear(4500), chart.LeftAxis().Minimum());
    EXPECT_GT(lowestNear(1000), chart.LeftAxis().Minimum() + 10);

    form.LoadTableFile(FilterKind::Fir, SIGNOVA_EXAMPLES_DIR "/fir_moving_average_4.txt");
    QCoreApplication::processEvents();
    EXPECT_EQ(response.RootSearches(), searches + 1);
}

// Tab chooses a root and the arrow keys move it: the upper pole up by 0.01.
TEST_F(PoleZero, TabChoosesARootAndArrowsMoveIt) {
    ZPlaneView& plane = window.Plane();
    QTest::keyClick(&plane, Qt::Key_Tab); // the first zero
    QTest::keyClick(&plane, Qt::Key_Tab);
    QTest::keyClick(&plane, Qt::Key_Tab); // the upper pole
    ASSERT_EQ(plane.Selected(), (RootRef{RootSet::Poles, 0}));
    const Root before = window.Roots().poles.roots[0];
    QTest::keyClick(&plane, Qt::Key_Up);
    EXPECT_NEAR(window.Roots().poles.roots[0].imag(), before.imag() + 0.01, 1e-15);
    EXPECT_EQ(window.Roots().poles.roots[1], std::conj(window.Roots().poles.roots[0]));
}
