#include "tests/ui/form_fixture.h"

#include "chart/chart_fast_line_series.h"
#include "chart/chart_point_series.h"
#include "toolkit/colors.h"
#include "ui/lamp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using signova::testing::ScriptedDialogs;

class MainWindow : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};

    QString Text(const char* label) { return form.Control<QLabel>(label)->text(); }
    QString EditText(const char* edit) { return form.Control<QLineEdit>(edit)->text(); }
    std::uint32_t LampColor(const char* lamp) { return form.Control<Lamp>(lamp)->Color(); }
    QTabWidget* Pages() { return form.Control<QTabWidget>("DSPcontrol"); }
};

TEST_F(MainWindow, StartUpShowsTheDefaults) {
    EXPECT_EQ(form.windowTitle(), "SIGNOVA");
    EXPECT_EQ(Text("FreqLabel"), "10");
    EXPECT_EQ(Text("HzLabel"), "Hz");
    EXPECT_EQ(Text("DialText"), "1.000");
    EXPECT_EQ(EditText("Ampedit"), "100");
    EXPECT_EQ(EditText("GainEdit"), "1.00");
    EXPECT_EQ(form.Control<QComboBox>("Vorm")->currentText(), "Sine");
    EXPECT_TRUE(form.Control<QToolButton>("SpeedButton1")->isChecked());
    EXPECT_EQ(Pages()->currentIndex(), InfoPage);
    EXPECT_EQ(Pages()->tabText(SettingsPage), "Settings  Samplerate: 48000, 12 Bits");
    EXPECT_TRUE(form.Control<QCheckBox>("Filter")->isChecked());
    EXPECT_EQ(LampColor("DACsh"), signova::clBtnFace);
    EXPECT_EQ(LampColor("trigsh"), signova::clBtnFace);
    EXPECT_TRUE(form.Control<QLabel>("RunLabel")->isHidden());
    EXPECT_FALSE(form.Control<QTimer>("Timer1")->isActive());
    const signova::SimulatorState& state = form.State();
    EXPECT_EQ(state.SignalFrequency, 10.0);
    EXPECT_EQ(state.SampleRate, 48000);
    EXPECT_EQ(state.MaxCode, 2047);
    EXPECT_EQ(state.Amplitude, 2047);
    EXPECT_EQ(state.DacScale, 1);
    EXPECT_EQ(state.SweepLength, 192);
    EXPECT_EQ(state.IirOrder, 1);
    EXPECT_EQ(state.FirLastTap, 47);
    EXPECT_EQ(state.DisplayGain, 1.0);
    EXPECT_EQ(form.FirCells().Cell(1, 47), "0.0208333333333333");
    EXPECT_EQ(form.IirCells().Cell(1, 1), "  - - -");
}

TEST_F(MainWindow, ControlsUpdateTheReadoutsLive) {
    form.Control<QSlider>("Dial")->setValue(1250);
    EXPECT_EQ(Text("FreqLabel"), "13");
    form.Control<QToolButton>("SpeedButton2")->click();
    EXPECT_EQ(form.State().FrequencyMultiplier, 100.0);
    EXPECT_EQ(Text("FreqLabel"), "125");
    form.Control<QSlider>("Dial")->setValue(10000);
    EXPECT_EQ(Text("FreqLabel"), "1.00");
    EXPECT_EQ(Text("HzLabel"), "kHz");
    EXPECT_FALSE(form.Control<QToolButton>("SpeedButton1")->isChecked());

    form.Control<QScrollBar>("Ampsb")->setValue(150);
    EXPECT_EQ(EditText("Ampedit"), "150");
    EXPECT_EQ(form.State().Amplitude, 3070);

    form.Control<QComboBox>("Vorm")->setEditText("sine");
    EXPECT_EQ(form.State().Waveform, 1);
    form.Control<QComboBox>("Vorm")->setCurrentIndex(5);
    EXPECT_EQ(form.State().Waveform, 6);
}

TEST_F(MainWindow, GainScrollBarShowsTwoDecimals) {
    auto* gain = form.Control<QScrollBar>("Gainsb");
    gain->setValue(99);
    EXPECT_EQ(EditText("GainEdit"), "1.04");
    gain->setValue(101);
    EXPECT_EQ(EditText("GainEdit"), "0.96");
    gain->setValue(0);
    EXPECT_EQ(EditText("GainEdit"), "50.50");
}

TEST_F(MainWindow, SettingsFollowTypedTextOnlyOnExactMatch) {
    auto* sample = form.Control<QComboBox>("Sample");
    sample->setEditText("4410");
    EXPECT_EQ(form.State().SampleRate, 48000);
    EXPECT_EQ(Pages()->tabText(SettingsPage), "Settings  Samplerate: 4410, 12 Bits");
    sample->setEditText("22050");
    EXPECT_EQ(form.State().SampleRate, 22050);
    auto* timebase = form.findChild<QWidget*>("Tijdbasis");
    const auto buttons = timebase->findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0]->text(), "0.5 ms/div");
    EXPECT_EQ(buttons[1]->text(), "  1 ms/div");
    EXPECT_TRUE(buttons[1]->isChecked());

    form.Control<QComboBox>("Bits")->setEditText("9");
    EXPECT_EQ(form.State().MaxCode, 2047);
    EXPECT_EQ(Pages()->tabText(SettingsPage), "Settings  Samplerate: 22050, 9 Bits");
    form.Control<QComboBox>("Bits")->setCurrentIndex(0);
    EXPECT_EQ(form.State().MaxCode, 127);
    EXPECT_EQ(form.State().DacScale, 16);
    EXPECT_EQ(EditText("Ampedit"), "100");
}

TEST_F(MainWindow, ChartHeightIsCappedAtFourFifthsOfItsWidth) {
    form.show();
    QWidget* chart = form.findChild<QWidget*>("Chart1");
    chart->resize(600, 500);
    EXPECT_EQ(chart->height(), 480);
    chart->resize(600, 400);
    EXPECT_EQ(chart->height(), 400);
}

TEST_F(MainWindow, ResizingMovesAndGrowsTheAnchoredBoxes) {
    form.show();
    form.resize(786, 523);
    const QRect scope = form.findChild<QWidget*>("GroupBox2")->geometry();
    const QRect processor = form.findChild<QWidget*>("GroupBox3")->geometry();
    const QRect run = form.findChild<QWidget*>("Run")->geometry();
    const QRect generator = form.findChild<QWidget*>("GroupBox1")->geometry();
    const QRect gain = form.findChild<QWidget*>("Gainsb")->geometry();
    EXPECT_EQ(processor, QRect(168, 320, 613, 197));
    form.resize(886, 573);
    EXPECT_EQ(form.findChild<QWidget*>("GroupBox3")->geometry(), processor.translated(100, 50));
    EXPECT_EQ(form.findChild<QWidget*>("Run")->geometry(), run.translated(0, 50));
    EXPECT_EQ(form.findChild<QWidget*>("GroupBox2")->geometry(), scope.adjusted(0, 0, 100, 50));
    EXPECT_EQ(form.findChild<QWidget*>("GroupBox1")->geometry(), generator);
    EXPECT_EQ(form.findChild<QWidget*>("Gainsb")->geometry(), gain.translated(100, 0));
}

TEST_F(MainWindow, WindowCannotShrinkBelowItsMinimum) {
    form.show();
    form.resize(500, 300);
    EXPECT_EQ(form.width(), 760);
    EXPECT_EQ(form.height(), 490);
}

TEST_F(MainWindow, LampsAreCirclesAsWideAsTheirSmallerSide) {
    form.show();
    for (const char* name : {"DACsh", "trigsh"}) {
        Lamp* lamp = form.Control<Lamp>(name);
        lamp->SetColor(signova::clRed);
        const QImage image = lamp->grab().toImage();
        QRect drawn;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != image.pixel(0, 0))
                    drawn |= QRect(x, y, 1, 1);
        const int diameter = std::min(lamp->width(), lamp->height());
        EXPECT_EQ(drawn, QRect((lamp->width() - diameter) / 2, (lamp->height() - diameter) / 2,
                               diameter, diameter))
            << name;
    }
}

TEST_F(MainWindow, EveryLabelsTextFitsItsLabel) {
    form.show();
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        const QFontMetrics metrics = label->fontMetrics();
        EXPECT_LE(metrics.horizontalAdvance(label->text().trimmed()) + std::max(0, label->indent()),
                  label->contentsRect().width())
            << label->objectName().toStdString();
        EXPECT_LE(metrics.tightBoundingRect(label->text()).height(), label->contentsRect().height())
            << label->objectName().toStdString();
    }
}

TEST_F(MainWindow, RunAndEveryControlThatActsHaveTooltips) {
    EXPECT_EQ(form.Control<QWidget>("Run")->toolTip(),
              "Runs the filter of the active page: choose IIR Filters or FIR Filters first (F5)");
    for (const char* name : {"SpeedButton1", "Dial", "Vorm", "Ampsb", "Gainsb", "Input",
                             "Tijdbasis", "Filter", "DACsh", "trigsh", "Bits", "Sample", "IIRGrid",
                             "LoadIIR", "FIRgrid", "LoadFIR", "ShowFIR", "Stop"})
        EXPECT_FALSE(form.Control<QWidget>(name)->toolTip().isEmpty()) << name;
}

} // namespace
