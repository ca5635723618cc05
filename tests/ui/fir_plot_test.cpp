#include "tests/ui/form_fixture.h"

#include "chart/chart_bar_series.h"
#include "toolkit/colors.h"
#include "toolkit/errors.h"
#include "ui/Fir_Plot_Unit.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using signova::testing::ScriptedDialogs;

constexpr double DefaultTap = 0.0208333333333333;

// The plot window is modal: its showing runs its own message loop until OK.
// Each test looks at the shown window from inside that loop and then ends it.
class ShowFir : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};
    signova::SimulatorState& state = form.State();
    TForm2& plot = form.Form2();
    signova::TBarSeries& bars = plot.Series1();
    int showings = 0;

    QPushButton* Ok() { return plot.findChild<QPushButton*>("BitBtn1"); }

    // Once the window is shown: counts the showing, lets `look` see it, then
    // presses `close` (OK unless told otherwise). If the window is still
    // open a moment later, OK ends it so that a fault cannot hang the test.
    void WhenShown(std::function<void()> look = {}, std::function<void()> close = {}) {
        QTimer::singleShot(0, &plot, [this, look, close] {
            if (!plot.isVisible())
                return;
            ++showings;
            if (look)
                look();
            if (close)
                close();
            else
                Ok()->click();
        });
        QTimer::singleShot(500, &plot, [this] {
            if (plot.isVisible()) {
                ADD_FAILURE() << "the plot window stayed open";
                plot.accept();
            }
        });
    }
    void ClickShowFir() { form.Control<QPushButton>("ShowFIR")->click(); }
    // Lets the timers of a showing that never happened run out.
    void Settle() {
        QTest::qWait(10);
        QCoreApplication::processEvents();
    }
    std::vector<double> Xs() { return bars.XValues(); }
};

std::vector<double> Indices(int count) {
    std::vector<double> x;
    for (int i = 0; i < count; ++i)
        x.push_back(i);
    return x;
}

TEST_F(ShowFir, StartUpShows48EqualBars) {
    WhenShown([this] {
        EXPECT_TRUE(plot.isModal());
        EXPECT_EQ(bars.Count(), 48U);
    });
    ClickShowFir();
    EXPECT_EQ(showings, 1);
    EXPECT_FALSE(plot.isVisible());
    EXPECT_EQ(Xs(), Indices(48));
    EXPECT_EQ(bars.YValues(), std::vector<double>(48, DefaultTap));
    ASSERT_EQ(bars.Count(), 48U);
    EXPECT_EQ(bars.PointColor(0), signova::clRed);
    ASSERT_EQ(bars.Labels().size(), 48U);
    EXPECT_EQ(bars.Labels()[47], "");
    EXPECT_TRUE(dialogs.shown.empty());
    // The plot reads the table's text, not the filter.
    EXPECT_EQ(state.FirCoefficients[0], 0.0);
}

TEST_F(ShowFir, ClickingTwiceShowsTheSameBarsAgain) {
    WhenShown();
    ClickShowFir();
    WhenShown();
    ClickShowFir();
    EXPECT_EQ(showings, 2);
    EXPECT_EQ(bars.Count(), 48U);
}

TEST_F(ShowFir, RowsBeyondTheLastTapAreNotShownButEditsUpToItAre) {
    form.FirCells().SetCell(1, 48, "5");
    form.FirCells().SetCell(1, 0, "-0.5");
    WhenShown();
    ClickShowFir();
    EXPECT_EQ(Xs(), Indices(48));
    ASSERT_EQ(bars.YValues().size(), 48U);
    EXPECT_EQ(bars.YValues()[0], -0.5);
    EXPECT_EQ(bars.YValues()[47], DefaultTap);
}

TEST_F(ShowFir, LoadedFileShowsOneBarPerCoefficient) {
    dialogs.files.push_back(SIGNOVA_EXAMPLES_DIR "/fir_moving_average_4.txt");
    form.Control<QPushButton>("LoadFIR")->click();
    WhenShown();
    ClickShowFir();
    EXPECT_EQ(Xs(), Indices(4));
    EXPECT_EQ(bars.YValues(), std::vector<double>(4, 0.25));
}

TEST_F(ShowFir, NoCoefficientsShowsAnEmptyChart) {
    dialogs.files.push_back(SIGNOVA_TEST_DATA_DIR "/only_tags.txt");
    form.Control<QPushButton>("LoadFIR")->click();
    ASSERT_EQ(state.FirLastTap, -1);
    WhenShown([this] { EXPECT_EQ(bars.Count(), 0U); });
    ClickShowFir();
    EXPECT_EQ(showings, 1);
}

struct BadCell {
    const char* text;
    const char* error;
};

class ShowFirBadCell : public ShowFir, public ::testing::WithParamInterface<BadCell> {};

TEST_P(ShowFirBadCell, EndsAtItsRowWithoutShowingTheWindow) {
    form.FirCells().SetCell(1, 5, GetParam().text);
    WhenShown();
    try {
        form.ShowFIRClick();
        ADD_FAILURE() << "no error";
    } catch (const signova::ConversionError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().error);
    }
    EXPECT_EQ(Xs(), Indices(5));

    WhenShown();
    ClickShowFir();
    Settle();
    EXPECT_EQ(showings, 0);
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"error: " + std::string(GetParam().error) + "."});
}

INSTANTIATE_TEST_SUITE_P(
    Cells, ShowFirBadCell,
    ::testing::Values(BadCell{"abc", "'abc' is not a valid floating point value"},
                      BadCell{"", "'' is not a valid floating point value"},
                      BadCell{"0,5", "'0,5' is not a valid floating point value"}));

TEST_F(ShowFir, WindowIsAFixedModalDialogWithOnlyOk) {
    EXPECT_EQ(plot.windowTitle(), QString::fromUtf16(u" SIGNOVA  FIR co\u00EBffici\u00EBnten"));
    EXPECT_EQ(plot.size(), QSize(536, 348));
    EXPECT_EQ(plot.minimumSize(), QSize(536, 348));
    EXPECT_EQ(plot.maximumSize(), QSize(536, 348));
    const Qt::WindowFlags flags = plot.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    ASSERT_NE(Ok(), nullptr);
    EXPECT_EQ(Ok()->text(), "OK");
    EXPECT_EQ(Ok()->geometry(), QRect(220, 308, 93, 29));
    EXPECT_TRUE(Ok()->isDefault());
    EXPECT_FALSE(plot.isVisible());
}

TEST_F(ShowFir, EnterClosesLikeOkAndEscapeDoesNothing) {
    bool openAfterEscape = false;
    WhenShown({}, [this, &openAfterEscape] {
        QTest::keyClick(&plot, Qt::Key_Escape);
        openAfterEscape = plot.isVisible();
        QTest::keyClick(&plot, Qt::Key_Return);
    });
    ClickShowFir();
    EXPECT_EQ(showings, 1);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_FALSE(plot.isVisible());
}

TEST_F(ShowFir, FirstShowingIsCentredLaterOnesKeepTheirPlace) {
    QPoint first;
    WhenShown([this, &first] {
        first = plot.pos();
        plot.move(30, 40);
    });
    ClickShowFir();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(first, screen.center() - plot.rect().center());
    QPoint second;
    WhenShown([this, &second] { second = plot.pos(); });
    ClickShowFir();
    EXPECT_EQ(second, QPoint(30, 40));
}

TEST_F(ShowFir, ShowingDuringARunSuspendsItUntilOk) {
    form.ShowPage(FirPage);
    int samplesWhileShown = -1;
    bool runningWhileShown = false;
    form.onSample = [&](int sample) {
        if (sample != 5)
            return;
        WhenShown([&] {
            samplesWhileShown = form.samples;
            runningWhileShown = form.Control<QTimer>("Timer1")->isActive();
        });
        ClickShowFir();
    };
    form.RunSamples(20);
    EXPECT_EQ(showings, 1);
    EXPECT_EQ(samplesWhileShown, 5);
    EXPECT_TRUE(runningWhileShown);
    EXPECT_EQ(form.samples, 20);
    EXPECT_EQ(bars.Count(), 48U);
}

} // namespace
