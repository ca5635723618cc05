#include "tests/ui/form_fixture.h"
#include "tests/chart/recording_canvas.h"

#include "analysis/spectrum_average.h"
#include "chart/chart_fast_line_series.h"
#include "chart/chart_painter.h"
#include "toolkit/errors.h"
#include "toolkit/virtual_keys.h"
#include "ui/chart_widget.h"
#include "ui/grid_view.h"
#include "ui/qt_dialogs.h"
#include "ui/response_window.h"
#include "ui/spectrum_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using signova::testing::ScriptedDialogs;

const QString ResponseItem = QString::fromUtf8("Frequency response\u2026");
const QString SpectrumItem = QString::fromUtf8("Spectrum\u2026");
const QString SavePictureItem = QString::fromUtf8("Save picture\u2026");
const QString CopyPictureItem = QStringLiteral("Copy picture");
const QString SaveSamplesItem = QString::fromUtf8("Save samples as CSV\u2026");

std::string ReplaceQuestion(const std::string& path) {
    return "confirm: " + path + " already exists.\nDo you want to replace it?";
}

QByteArray FileContents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The main window with its context menus, the windows they open, a scripted
// save choice and a folder for the files written.
class Views : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};
    signova::SimulatorState& state = form.State();
    QTemporaryDir folder;

    ~Views() override {
        for (QMenu* menu : form.findChildren<QMenu*>())
            menu->hide();
    }

    QMenu* Menu(const char* name) { return form.findChild<QMenu*>(QString::fromLatin1(name)); }
    QStringList Items(const char* menu) {
        QStringList texts;
        for (const QAction* action : Menu(menu)->actions())
            if (!action->isSeparator())
                texts << action->text();
        return texts;
    }
    // Picks the item as a click in the open menu would.
    void Choose(const char* menu, const QString& item) {
        for (QAction* action : Menu(menu)->actions())
            if (action->text() == item) {
                action->trigger();
                return;
            }
        ADD_FAILURE() << "no item " << item.toStdString() << " in " << menu;
    }
    std::string Path(const char* name) { return folder.filePath(name).toStdString(); }
    // A right click's context menu event, on the widget the mouse is over.
    void RightClickMenu(QWidget* widget) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                                widget->mapToGlobal(QPoint(20, 20)));
        QCoreApplication::sendEvent(widget, &event);
    }

    ResponseWindow* Response() { return form.findChild<ResponseWindow*>("ResponseWindow"); }
    SpectrumWindow* Spectrum() { return form.findChild<SpectrumWindow*>("SpectrumWindow"); }
    std::string Text(QWidget* window, const char* label) {
        return window->findChild<QLabel*>(QString::fromLatin1(label))->text().toStdString();
    }
    bool Shown(QWidget* window, const char* label) {
        return !window->findChild<QLabel*>(QString::fromLatin1(label))->isHidden();
    }
    // The response window's change requests, handled as the next message pass would.
    void NextMessagePass() { QCoreApplication::processEvents(); }
    void SetFrequency(const char* rangeButton, int dial) {
        form.Control<QToolButton>(rangeButton)->click();
        form.Control<QSlider>("Dial")->setValue(dial);
    }
    void MovingAverage4() {
        for (int row = 0; row < 4; ++row)
            form.FirCells().SetCell(1, row, "0.25");
        form.FirCells().SetCell(1, 4, "");
    }
    // Two coefficient rows in the IIR table: b0 = 1, b1 = 0, a1 as given.
    void FirstOrderIir(const char* a1) {
        int insert = signova::VirtualKeyInsert;
        form.IIRGridKeyDown(insert, true);
        form.IirCells().SetCell(1, 2, a1);
    }
};

TEST_F(Views, MenusOfTheTablesAndTheScopeOfferTheirViews) {
    const QString saveTable = QString::fromUtf8("Save table as\u2026");
    const QString design = QString::fromUtf8("Design filter\u2026");
    const QString roots = QString::fromUtf8("Poles and zeros\u2026");
    EXPECT_EQ(Items("FIRgridMenu"), (QStringList{ResponseItem, saveTable, design, roots}));
    EXPECT_EQ(Items("IIRGridMenu"), (QStringList{ResponseItem, saveTable, design, roots}));
    EXPECT_EQ(Items("Chart1Menu"),
              (QStringList{SpectrumItem, SavePictureItem, CopyPictureItem, SaveSamplesItem,
                           "Cursors", "Single sweep", "Hold as reference", "Clear reference",
                           "Large traces", QString::fromUtf8("Open lesson\u2026"),
                           QString::fromUtf8("Save lesson\u2026"),
                           QStringLiteral("Listen"), QStringLiteral("Listen to"),
                           QString::fromUtf8("Save sound as WAV\u2026")}));
}

TEST_F(Views, RightClickOnATableOrTheScopeOpensItsMenu) {
    RightClickMenu(form.Control<GridView>("FIRgrid")->viewport());
    EXPECT_TRUE(Menu("FIRgridMenu")->isVisible());
    RightClickMenu(form.Control<ChartWidget>("Chart1"));
    EXPECT_TRUE(Menu("Chart1Menu")->isVisible());
}

TEST_F(Views, ShiftF10InTheIirTableOpensTheMenuAndStillRunsItsKeyHandler) {
    form.ShowPage(IirPage);
    auto* grid = form.Control<GridView>("IIRGrid");
    form.IirCells().SetCell(2, 1, "");
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(Menu("IIRGridMenu")->isVisible());
    // The key handler fills an empty cell of a row in use with 0.
    EXPECT_EQ(form.IirCells().Cell(2, 1), "0");
}

TEST_F(Views, AMenuOpenDuringARunLetsTheRunGoOn) {
    form.ShowPage(FirPage);
    form.onSample = [this](int sample) {
        if (sample == 10)
            RightClickMenu(form.Control<ChartWidget>("Chart1"));
        if (sample == 50) {
            EXPECT_TRUE(Menu("Chart1Menu")->isVisible());
        }
    };
    form.RunSamples(100);
    EXPECT_EQ(form.samples, 100);
}

TEST_F(Views, ARightClickInTheIirTableStillStopsTheRun) {
    form.ShowPage(IirPage);
    auto* viewport = form.Control<GridView>("IIRGrid")->viewport();
    form.onSample = [viewport](int sample) {
        if (sample == 10)
            QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(20, 20));
    };
    form.RunSamples(100);
    EXPECT_EQ(form.samples, 10);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, QPoint(20, 20));
}

TEST_F(Views, ResponseOfTheFirTableFollowsItsCellsAndTheDial) {
    Choose("FIRgridMenu", ResponseItem);
    ResponseWindow* window = Response();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Text(window, "Heading"), "FIR table: 48 coefficients");
    EXPECT_EQ(Text(window, "GeneratorGain"), "Generator 10 Hz: gain 0.9998 (0.00 dB)");
    EXPECT_TRUE(window->findChild<QLabel*>("Stability")->isHidden());

    // Five cell changes, one recomputation at the next message pass.
    const int refreshes = window->Refreshes();
    MovingAverage4();
    EXPECT_EQ(window->Refreshes(), refreshes);
    NextMessagePass();
    EXPECT_EQ(window->Refreshes(), refreshes + 1);
    EXPECT_EQ(Text(window, "Heading"), "FIR table: 4 coefficients");
    EXPECT_EQ(Text(window, "GeneratorGain"), "Generator 10 Hz: gain 1.0000 (0.00 dB)");

    // 12 kHz is the moving average's zero.
    SetFrequency("SpeedButton4", 1200);
    NextMessagePass();
    EXPECT_EQ(Text(window, "GeneratorGain"), "Generator 12000 Hz: gain null");
    signova::TChartSeries* marker = window->MagnitudeChart().Chart().FindSeries("GeneratorMarker");
    ASSERT_EQ(marker->Count(), 2U);
    EXPECT_EQ(marker->XValues()[0], 12000.0);
    EXPECT_FALSE(Shown(window, "LandsAt"));
}

// The start-up 48-tap average at 48 kHz: its nulls at every multiple of 1 kHz,
// found from its roots, reach the axis floor on the drawn curve.
TEST_F(Views, ResponseShowsTheNullsOfTheStartUpAverageAsNulls) {
    SetFrequency("SpeedButton3", 1000);
    Choose("FIRgridMenu", ResponseItem);
    ResponseWindow* window = Response();
    NextMessagePass();
    EXPECT_EQ(Text(window, "GeneratorGain"), "Generator 1000 Hz: gain null");
    signova::TChart& chart = window->MagnitudeChart().Chart();
    signova::TChartSeries* curve = chart.FindSeries("Magnitude");
    const double floor = chart.LeftAxis().Minimum();
    for (int k = 1; k <= 24; ++k) {
        bool reached = false;
        for (std::size_t i = 0; i < curve->Count(); ++i)
            reached = reached || (std::abs(curve->XValues()[i] - 1000.0 * k) < 1e-6 &&
                                  curve->YValues()[i] == floor);
        EXPECT_TRUE(reached) << 1000 * k;
    }
    // At most two points per pixel column are drawn.
    EXPECT_LE(curve->Count(), 2U * static_cast<std::size_t>(window->MagnitudeChart().width()));
}

// The group delay of the start-up 48-tap average: 23.5 samples, with a gap
// at each null, every multiple of 1 kHz, which the drawn line leaves open.
TEST_F(Views, GroupDelayHasAGapAtEachZeroOnTheUnitCircle) {
    Choose("FIRgridMenu", ResponseItem);
    ResponseWindow* window = Response();
    Choose("PhaseChartMenu", QStringLiteral("Group delay"));
    signova::TChartSeries* curve = window->PhaseChart().Chart().FindSeries("Phase");
    std::vector<double> gaps;
    for (std::size_t i = 0; i < curve->Count(); ++i) {
        if (std::isnan(curve->YValues()[i]))
            gaps.push_back(curve->XValues()[i]);
        else
            EXPECT_NEAR(curve->YValues()[i], 23.5, 1e-6) << curve->XValues()[i];
    }
    ASSERT_EQ(gaps.size(), 24U);
    for (int k = 1; k <= 24; ++k)
        EXPECT_NEAR(gaps[k - 1], 1000.0 * k, 1e-6);
    // On screen: one line piece between neighbouring nulls, none across one.
    signova::testing::RecordingCanvas canvas;
    signova::ChartPainter painter;
    painter.Paint(window->PhaseChart().Chart(), window->PhaseChart().width(),
                  window->PhaseChart().height(), canvas);
    // The eye sees each gap: a pixel left open between the pieces at least.
    std::vector<std::vector<signova::CanvasPoint>> pieces;
    for (const auto* line : canvas.Of(signova::testing::RecordingCanvas::Kind::Polyline))
        if (line->color == signova::ColorToRgb(signova::clNavy))
            pieces.push_back(line->points);
    ASSERT_EQ(pieces.size(), 24U);
    for (std::size_t k = 1; k < pieces.size(); ++k)
        EXPECT_GE(pieces[k].front().x - pieces[k - 1].back().x, 2) << k;
}

TEST_F(Views, ResponseMarksWhereAToneAboveHalfTheSampleRateLands) {
    Choose("FIRgridMenu", ResponseItem);
    ResponseWindow* window = Response();
    MovingAverage4();
    form.Control<QComboBox>("Sample")->setEditText("8000");
    SetFrequency("SpeedButton3", 5000);
    NextMessagePass();
    EXPECT_EQ(window->MagnitudeChart().Chart().BottomAxis().Maximum(), 4000.0);
    EXPECT_TRUE(Shown(window, "LandsAt"));
    EXPECT_EQ(Text(window, "LandsAt"),
              "5000 Hz is above fs/2 = 4000 Hz: the tone lands at 3000 Hz");
    // At 3000 Hz of 8000: w = 3 pi / 4, |H| = 1 / (4 sin(3 pi / 8)).
    EXPECT_EQ(Text(window, "GeneratorGain"), "Generator 5000 Hz: gain 0.2706 (-11.35 dB)");
    signova::TChartSeries* landsAt = window->MagnitudeChart().Chart().FindSeries("LandsAtMarker");
    ASSERT_EQ(landsAt->Count(), 2U);
    EXPECT_EQ(landsAt->XValues()[0], 3000.0);
    EXPECT_EQ(window->MagnitudeChart().Chart().FindSeries("GeneratorMarker")->Count(), 0U);
}

// Each control alone, as a user moves it, is followed at the next message pass.
TEST_F(Views, ResponseFollowsAMoveOfTheDialAlone) {
    MovingAverage4();
    form.Control<QToolButton>("SpeedButton4")->click();
    Choose("FIRgridMenu", ResponseItem);
    ResponseWindow* window = Response();
    signova::TChartSeries* marker = window->MagnitudeChart().Chart().FindSeries("GeneratorMarker");
    ASSERT_EQ(marker->Count(), 2U);
    EXPECT_EQ(marker->XValues()[0], 10000.0);

    form.Control<QSlider>("Dial")->setValue(1200);
    NextMessagePass();
    EXPECT_EQ(Text(window, "GeneratorGain"), "Generator 12000 Hz: gain null");
    ASSERT_EQ(marker->Count(), 2U);
    EXPECT_EQ(marker->XValues()[0], 12000.0);
}

TEST_F(Views, ResponseFollowsAChangeOfTheSampleRateAlone) {
    MovingAverage4();
    SetFrequency("SpeedButton3", 5000);
    Choose("FIRgridMenu", ResponseItem);
    ResponseWindow* window = Response();
    EXPECT_EQ(window->MagnitudeChart().Chart().BottomAxis().Maximum(), 24000.0);
    EXPECT_FALSE(Shown(window, "LandsAt"));

    auto* sample = form.Control<QComboBox>("Sample");
    sample->setCurrentIndex(sample->findText(QStringLiteral("8000")));
    NextMessagePass();
    EXPECT_EQ(window->MagnitudeChart().Chart().BottomAxis().Maximum(), 4000.0);
    EXPECT_TRUE(Shown(window, "LandsAt"));
    EXPECT_EQ(Text(window, "LandsAt"),
              "5000 Hz is above fs/2 = 4000 Hz: the tone lands at 3000 Hz");
}

TEST_F(Views, ResponseOfTheIirTableIsLabelledUnstableWithItsGainsOnTheAxisTop) {
    FirstOrderIir("0.5");
    Choose("IIRGridMenu", ResponseItem);
    ResponseWindow* window = Response();
    EXPECT_EQ(Text(window, "Heading"), "IIR table: 2 coefficient pairs");
    EXPECT_EQ(Text(window, "Stability"), "stable");
    EXPECT_EQ(Text(window, "GeneratorGain"), "Generator 10 Hz: gain 2.0000 (6.02 dB)");

    form.IirCells().SetCell(1, 2, "1");
    NextMessagePass();
    EXPECT_TRUE(Shown(window, "Stability"));
    EXPECT_EQ(Text(window, "Stability"), "unstable");
    signova::TChart& magnitude = window->MagnitudeChart().Chart();
    EXPECT_EQ(magnitude.LeftAxis().Maximum(), signova::ResponseTopLimitDb);
    // The infinite gain at 0 Hz sits on the top of the axis.
    EXPECT_EQ(magnitude.FindSeries("Magnitude")->YValues()[0], signova::ResponseTopLimitDb);
}

TEST_F(Views, ABadCellShowsItsMessageInsideTheWindow) {
    FirstOrderIir("abc");
    Choose("IIRGridMenu", ResponseItem);
    ResponseWindow* window = Response();
    EXPECT_TRUE(Shown(window, "Error"));
    EXPECT_EQ(Text(window, "Error"), "Error in data for IIR Filter. Row 1");
    EXPECT_FALSE(Shown(window, "GeneratorGain"));
    EXPECT_EQ(window->MagnitudeChart().Chart().FindSeries("Magnitude")->Count(), 0U);
    EXPECT_TRUE(dialogs.shown.empty());

    form.FirCells().SetCell(1, 3, "1,5");
    Choose("FIRgridMenu", ResponseItem);
    EXPECT_EQ(Response(), window);
    EXPECT_EQ(window->Table(), signova::FilterKind::Fir);
    EXPECT_EQ(Text(window, "Error"), "'1,5' is not a valid floating point value");

    // A long cell shows its start; markup shows as typed.
    form.FirCells().SetCell(1, 3, "<b>" + std::string(5000, '9'));
    NextMessagePass();
    EXPECT_EQ(Text(window, "Error"), "'<b>" + std::string(996, '9') + "...");
    EXPECT_EQ(window->findChild<QLabel*>("Error")->textFormat(), Qt::PlainText);

    form.FirCells().SetCell(1, 3, "1.5");
    NextMessagePass();
    EXPECT_FALSE(Shown(window, "Error"));
    EXPECT_EQ(Text(window, "Heading"), "FIR table: 48 coefficients");
}

TEST_F(Views, SpectrumShowsTheRecordAndKeepsItWhenTheRunStops) {
    Choose("Chart1Menu", SpectrumItem);
    SpectrumWindow* window = Spectrum();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Refreshing());
    EXPECT_EQ(Text(window, "InputPeak"), "\u2014");

    // 1 kHz at 48 kHz; the 48-tap moving average lets through almost nothing.
    SetFrequency("SpeedButton3", 1000);
    form.ShowPage(FirPage);
    form.RunSamples(5000);
    window->Refresh();
    // 1000 Hz lies between bins 85 and 86 (11.71875 Hz apart): found between them.
    EXPECT_EQ(Text(window, "InputPeak"), "1000.31 Hz");
    EXPECT_EQ(Text(window, "InputLevel"), "0.02 dBFS");
    EXPECT_TRUE(Text(window, "InputSinad").ends_with(" dB"));
    EXPECT_EQ(Text(window, "InputIdeal"), "74.00 dB");
    EXPECT_EQ(Text(window, "OutputIdeal"), "74.00 dB");
    EXPECT_TRUE(Text(window, "InputEnob").ends_with(" bits"));
    signova::TChart& chart = window->Chart().Chart();
    EXPECT_EQ(chart.BottomAxis().Maximum(), 24000.0);
    ASSERT_EQ(chart.FindSeries("Input")->Count(), 2049U);
    EXPECT_EQ(chart.FindSeries("Input")->XValues().back(), 24000.0);
    const std::string inputSinad = Text(window, "InputSinad");
    const std::string outputPeak = Text(window, "OutputPeak");

    // A new run not yet long enough to fill the record leaves the last one.
    SetFrequency("SpeedButton3", 3000);
    form.RunSamples(1000);
    window->Refresh();
    EXPECT_EQ(Text(window, "InputPeak"), "1000.31 Hz");
    EXPECT_EQ(Text(window, "InputSinad"), inputSinad);
    EXPECT_EQ(Text(window, "OutputPeak"), outputPeak);

    window->hide();
    EXPECT_FALSE(window->Refreshing());
}

TEST_F(Views, SpectrumMenuOffersTheAveragingWithTips) {
    Choose("Chart1Menu", SpectrumItem);
    EXPECT_EQ(Items("SpectrumChartMenu"),
              (QStringList{"Averaging off", "Average 4 records", "Average 16 records", "Max hold",
                           SavePictureItem, CopyPictureItem, "Large traces"}));
    for (const QAction* action : Menu("SpectrumChartMenu")->actions().first(4))
        EXPECT_TRUE(action->toolTip().endsWith(
            "A record is counted once, even when a stopped run shows it again; choosing starts "
            "over."))
            << action->text().toStdString();
    Choose("SpectrumChartMenu", "Max hold");
    EXPECT_EQ(Spectrum()->Averaging(), signova::SpectrumAveraging::MaxHold);
    EXPECT_EQ(Text(Spectrum(), "AveragingState"), "Max hold of 0 records");
}

// Each record drawn counts once: the stopped run's record copied again and
// again is one, each new run's is another (here the same samples again); a
// change of averaging or of the word length starts over.
TEST_F(Views, SpectrumAveragesEachDistinctRecordOnce) {
    Choose("Chart1Menu", SpectrumItem);
    SpectrumWindow* window = Spectrum();
    form.ShowPage(FirPage);
    form.RunSamples(5000);
    window->Refresh();
    EXPECT_EQ(Text(window, "AveragingState"), "");
    window->SetAveraging(signova::SpectrumAveraging::Four);
    EXPECT_EQ(Text(window, "AveragingState"), "Mean of 1 of 4 records");
    window->Refresh();
    window->Refresh();
    EXPECT_EQ(window->RecordsCombined(), 1);
    for (int run = 0; run < 4; ++run) {
        form.RunSamples(5000);
        window->Refresh();
    }
    EXPECT_EQ(Text(window, "AveragingState"), "Mean of 4 of 4 records");
    Choose("SpectrumChartMenu", "Average 16 records");
    EXPECT_EQ(Text(window, "AveragingState"), "Mean of 1 of 16 records");
    form.RunSamples(5000);
    window->Refresh();
    EXPECT_EQ(window->RecordsCombined(), 2);
    form.Control<QComboBox>("Bits")->setEditText("10");
    window->Refresh();
    EXPECT_EQ(window->RecordsCombined(), 1);
    EXPECT_EQ(Text(window, "InputIdeal"), "61.96 dB");
}

TEST_F(Views, RecordHoldsTheSamplesOfTheLatestRunThatReachedTheScope) {
    form.ShowPage(FirPage);
    form.RunSamples(100);
    EXPECT_EQ(form.Record().Count(), 100);
    form.RunSamples(30);
    EXPECT_EQ(form.Record().Count(), 30);

    // A sample whose filter output leaves the 64-bit range ends the run
    // before the scope sees it: it is not recorded either.
    FirstOrderIir("1.5");
    form.Control<QComboBox>("Vorm")->setEditText("Square");
    form.ShowPage(IirPage);
    EXPECT_THROW(form.RunSamples(100000), signova::InvalidOperationError);
    EXPECT_GT(form.samples, 50);
    EXPECT_EQ(form.Record().Count(), form.samples);
}

// Rows of `image` from `top` on that hold a pixel other than the background.
int RowsWithInk(const QImage& image, int top, QRgb background) {
    int rows = 0;
    for (int y = top; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                ++rows;
                break;
            }
    return rows;
}

TEST_F(Views, SavedScopePictureIsTwiceTheChartWithItsCaptionUnder) {
    auto* scope = form.Control<ChartWidget>("Chart1");
    ASSERT_EQ(scope->size(), QSize(369, 267));
    dialogs.saveFiles = {Path("scope.png")};
    Choose("Chart1Menu", SavePictureItem);
    EXPECT_EQ(dialogs.saveChoices, std::vector<std::string>{"PNG image (*.png)"});
    const QImage picture(folder.filePath("scope.png"), "PNG");
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(picture.width(), 738);
    // Two or three lines of caption (the first may wrap), at the chart's scale.
    const int line = 2 * QFontMetrics(scope->font()).height();
    EXPECT_GE(picture.height(), 534 + 2 * line);
    EXPECT_LE(picture.height(), 534 + 3 * line + 16);
    // The chart fills the top 534 rows: its dark panel reaches down to its bevel.
    EXPECT_EQ(picture.pixel(369, 529), qRgb(0x00, 0x33, 0x33));
    EXPECT_GT(RowsWithInk(picture, 534, qRgb(255, 255, 255)), line);

    Choose("Chart1Menu", CopyPictureItem);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), picture.size());
}

TEST_F(Views, ScopeCaptionNamesTheSettingsAndTheFilterOfTheSweepShown) {
    EXPECT_EQ(form.ScopeCaption(),
              "10 Hz Sine, Amp 100 %, 12 bits, 48000 Hz, 0.4 ms/div, Gain 1.00\nFIR filter");
    // Before any sweep the page shown names the table; after one, the run that drew it.
    form.ShowPage(IirPage);
    EXPECT_EQ(form.ScopeCaption().substr(form.ScopeCaption().find('\n')), "\nIIR filter");
    form.RunSamples(1000);
    ASSERT_GT(form.SweepsPlotted(), 0);
    form.ShowPage(FirPage);
    form.Control<QComboBox>("Vorm")->setEditText("Square");
    form.Control<QScrollBar>("Gainsb")->setValue(99);
    EXPECT_EQ(form.ScopeCaption(),
              "10 Hz Square, Amp 100 %, 12 bits, 48000 Hz, 0.4 ms/div, Gain 1.04\nIIR filter");
}

TEST_F(Views, ViewPicturesCarryTheirReadoutsUnderTheChart) {
    form.ShowPage(FirPage);
    form.RunSamples(5000);
    Choose("Chart1Menu", SpectrumItem);
    ChartWidget& spectrumChart = Spectrum()->Chart();
    const std::string spectrumText = Spectrum()->ReadoutText();
    const auto readoutLine = [this](const std::string& name) {
        return name + ": peak " + Text(Spectrum(), (name + "Peak").c_str()) + " at " +
               Text(Spectrum(), (name + "Level").c_str()) + ", SINAD " +
               Text(Spectrum(), (name + "Sinad").c_str()) + " (ideal 74.00 dB, ENOB " +
               Text(Spectrum(), (name + "Enob").c_str()) + ")";
    };
    EXPECT_EQ(spectrumText, readoutLine("Input") + "\n" + readoutLine("Output"));
    Spectrum()->SetAveraging(signova::SpectrumAveraging::Four);
    EXPECT_EQ(Spectrum()->ReadoutText(),
              "Mean of 1 of 4 records\n" + readoutLine("Input") + "\n" + readoutLine("Output"));
    dialogs.saveFiles = {Path("spectrum.png")};
    Choose("SpectrumChartMenu", SavePictureItem);
    const QImage spectrum(folder.filePath("spectrum.png"), "PNG");
    const int line = QFontMetrics(spectrumChart.font()).height();
    EXPECT_EQ(spectrum.width(), spectrumChart.width());
    EXPECT_GE(spectrum.height(), spectrumChart.height() + 2 * line);
    EXPECT_GT(RowsWithInk(spectrum, spectrumChart.height(), qRgb(255, 255, 255)), line);

    Choose("FIRgridMenu", ResponseItem);
    const std::string heading = "FIR table: 48 coefficients\nGenerator 10 Hz: ";
    EXPECT_EQ(Response()->ReadoutText().substr(0, heading.size()), heading);
    dialogs.saveFiles = {Path("magnitude.png")};
    Choose("MagnitudeChartMenu", SavePictureItem);
    const QImage magnitude(folder.filePath("magnitude.png"), "PNG");
    ChartWidget& magnitudeChart = Response()->MagnitudeChart();
    EXPECT_EQ(magnitude.width(), magnitudeChart.width());
    EXPECT_GE(magnitude.height(), magnitudeChart.height() + 2 * line);
}

TEST_F(Views, SavedSamplesAreTheRecordOldestFirst) {
    form.ShowPage(FirPage);
    form.RunSamples(100);
    dialogs.saveFiles = {Path("samples.csv")};
    Choose("Chart1Menu", SaveSamplesItem);
    EXPECT_EQ(dialogs.saveChoices, std::vector<std::string>{"CSV file (*.csv)"});
    const QList<QByteArray> lines = FileContents(folder.filePath("samples.csv")).split('\n');
    ASSERT_EQ(lines.size(), 102); // header, 100 samples, nothing after the last line end
    EXPECT_EQ(lines[0], "n,input,output");
    // The first sample of 10 Hz at 48 kHz: 2047 sin(2 pi / 4800) rounds to 3,
    // and 3 / 48 through the moving average to 0.
    EXPECT_EQ(lines[1], "0,3,0");
    EXPECT_EQ(lines[101], "");
}

TEST_F(Views, AnExistingFileIsReplacedOnlyAfterYes) {
    const QString path = folder.filePath("samples.csv");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    dialogs.saveFiles = {path.toStdString(), path.toStdString()};
    dialogs.answers = {signova::DialogResult::No, signova::DialogResult::Yes};
    Choose("Chart1Menu", SaveSamplesItem);
    EXPECT_EQ(FileContents(path), "keep");
    Choose("Chart1Menu", SaveSamplesItem);
    EXPECT_EQ(FileContents(path), "n,input,output\n");
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{ReplaceQuestion(path.toStdString()),
                                                       ReplaceQuestion(path.toStdString())}));
}

// Cancel is the answer of a replace question closed without choosing.
TEST_F(Views, ACancelledReplaceQuestionKeepsTheFileOfEitherExport) {
    const QString path = folder.filePath("old.dat");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    for (const QString& item : {SavePictureItem, SaveSamplesItem}) {
        dialogs.saveFiles = {path.toStdString()};
        dialogs.answers = {signova::DialogResult::Cancel};
        Choose("Chart1Menu", item);
        EXPECT_EQ(FileContents(path), "keep") << item.toStdString();
    }
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{ReplaceQuestion(path.toStdString()),
                                                       ReplaceQuestion(path.toStdString())}));
}

TEST_F(Views, AFileThatCannotBeWrittenIsReported) {
    const std::string path = Path("missing/samples.csv");
    dialogs.saveFiles = {path};
    Choose("Chart1Menu", SaveSamplesItem);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"error: Cannot write file " + path + "."});
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}

TEST_F(Views, CancellingTheSaveChoiceWritesNothing) {
    Choose("Chart1Menu", SaveSamplesItem);
    Choose("Chart1Menu", SavePictureItem);
    EXPECT_EQ(dialogs.saveChoices.size(), 2U);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// The real save dialog: the name typed without a suffix gets the file type's,
// and nothing else is written, under the user's folders or anywhere.
TEST(QtSaveDialog, WritesTheChosenFileAndNothingElse) {
    const QTemporaryDir home;
    const QTemporaryDir target;
    const QByteArray realHome = qgetenv("HOME");
    const QByteArray realConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    QtDialogs dialogs;
    CountingForm form(dialogs);
    dialogs.SetParent(&form);
    QTimer::singleShot(0, &form, [&target] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(target.filePath(QStringLiteral("samples")));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QTimer::singleShot(5000, &form, [] { // a dialog left open fails, never hangs
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "the file dialog stayed open";
            dialog->close();
        }
    });
    for (QAction* action : form.findChild<QMenu*>(QStringLiteral("Chart1Menu"))->actions())
        if (action->text() == SaveSamplesItem)
            action->trigger();
    qputenv("HOME", realHome);
    realConfig.isEmpty() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", realConfig);

    EXPECT_EQ(QDir(target.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("samples.csv")});
    EXPECT_EQ(FileContents(target.filePath(QStringLiteral("samples.csv"))), "n,input,output\n");
    EXPECT_TRUE(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

// The real replace question, closed by Esc or by its title bar: the file
// keeps its bytes.
class ChosenSavePath : public QtDialogs {
public:
    explicit ChosenSavePath(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override {
        return path_;
    }

private:
    std::string path_;
};

TEST(QtReplaceQuestion, ClosedWithoutAnAnswerKeepsTheFile) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("samples.csv"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    ChosenSavePath dialogs(path.toStdString());
    CountingForm form(dialogs);
    dialogs.SetParent(&form);
    const std::vector<std::pair<const char*, std::function<void(QMessageBox*)>>> closings = {
        {"Esc", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }},
        {"title bar", [](QMessageBox* box) { box->close(); }}};
    for (const auto& closing : closings) {
        const char* how = closing.first;
        const std::function<void(QMessageBox*)>& close = closing.second;
        bool asked = false;
        QTimer::singleShot(0, &form, [&asked, &close] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            asked = true;
            close(box);
        });
        QTimer::singleShot(5000, &form, [] { // a box left open fails, never hangs
            if (QWidget* box = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "the replace question stayed open";
                box->close();
            }
        });
        for (QAction* action : form.findChild<QMenu*>(QStringLiteral("Chart1Menu"))->actions())
            if (action->text() == SaveSamplesItem)
                action->trigger();
        EXPECT_TRUE(asked) << how;
        EXPECT_EQ(FileContents(path), "keep") << how;
    }
}

// The question before replacing a file shows the path whole, however long.
TEST(QtReplaceQuestion, NamesALongPathWhole) {
    QtDialogs dialogs;
    const std::string question =
        "/" + std::string(3000, 'd') + "/x.png already exists.\nDo you want to replace it?";
    QString seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = box->text();
        box->close();
    });
    EXPECT_EQ(dialogs.ConfirmFile(question), signova::DialogResult::Cancel);
    EXPECT_EQ(seen.toStdString(), question);
}

} // namespace

// The lower chart's menu shows the impulse or the step response instead of
// the phase: a FIR's taps then zeros over max(64, taps + 16) samples; an
// unstable IIR's response stops where the run would end, and says so.
TEST_F(Views, TheLowerChartShowsTheImpulseOrStepResponse) {
    MovingAverage4();
    Choose("FIRgridMenu", ResponseItem);
    ResponseWindow* window = Response();
    Choose("PhaseChartMenu", QStringLiteral("Impulse response"));
    EXPECT_EQ(window->Lower(), ResponseWindow::LowerView::Impulse);
    signova::TChartSeries* curve = window->PhaseChart().Chart().FindSeries("Phase");
    std::vector<double> expected(64, 0.0);
    std::fill_n(expected.begin(), 4, 0.25);
    EXPECT_EQ(curve->YValues(), expected);
    // The 4-tap average delays by 1.5 samples wherever it passes anything;
    // at its nulls, fs/4 and fs/2, the curve has gaps.
    Choose("PhaseChartMenu", QStringLiteral("Group delay"));
    std::vector<double> gaps;
    for (std::size_t i = 0; i < curve->Count(); ++i) {
        if (std::isnan(curve->YValues()[i]))
            gaps.push_back(curve->XValues()[i]);
        else
            EXPECT_NEAR(curve->YValues()[i], 1.5, 1e-9);
    }
    EXPECT_EQ(gaps, (std::vector<double>{12000, 24000}));
    Choose("MagnitudeChartMenu", QStringLiteral("Step response"));
    EXPECT_EQ(curve->YValues()[2], 0.75);
    EXPECT_EQ(curve->YValues().back(), 1.0);
    EXPECT_FALSE(Shown(window, "TimeResponseNote"));

    FirstOrderIir("2");
    Choose("IIRGridMenu", ResponseItem);
    Choose("PhaseChartMenu", QStringLiteral("Impulse response"));
    EXPECT_EQ(curve->Count(), 63U);
    EXPECT_EQ(curve->YValues().back(), std::ldexp(1.0, 62));
    EXPECT_EQ(Text(window, "TimeResponseNote"),
              "At sample 63 the run ends with \"Invalid floating point operation.\"");
    Choose("PhaseChartMenu", QStringLiteral("Phase"));
    EXPECT_FALSE(Shown(window, "TimeResponseNote"));
    EXPECT_EQ(curve->Count(), static_cast<std::size_t>(signova::ResponseCurvePoints));
}
