#include "tests/ui/form_fixture.h"

#include "chart/chart_fast_line_series.h"
#include "chart/chart_point_series.h"
#include "toolkit/colors.h"
#include "toolkit/errors.h"
#include "ui/lamp.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using signova::testing::ScriptedDialogs;

class RunLoop : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};
    signova::SimulatorState& state = form.State();

    std::uint32_t LampColor(const char* lamp) { return form.Control<Lamp>(lamp)->Color(); }
    bool Running() {
        return !form.Control<QLabel>("RunLabel")->isHidden() &&
               form.Control<QTimer>("Timer1")->isActive();
    }
    void SelectRadio(const char* group, int item) {
        form.findChild<QWidget*>(group)->findChildren<QRadioButton*>()[item]->setChecked(true);
    }
    void SingleTapFir(const char* value) {
        form.FirCells().SetCell(1, 0, value);
        form.FirCells().SetCell(1, 1, "");
    }
};

TEST_F(RunLoop, InfoAndSettingsPagesComputeNothing) {
    for (int page : {InfoPage, SettingsPage}) {
        form.ShowPage(page);
        form.RunSamples(5);
        EXPECT_EQ(form.samples, 0);
        EXPECT_FALSE(Running());
        EXPECT_TRUE(state.StopRequested);
        EXPECT_EQ(LampColor("DACsh"), signova::clBtnFace);
        EXPECT_EQ(LampColor("trigsh"), signova::clBtnFace);
    }
    EXPECT_EQ(state.Phase, 0.0);
}

TEST_F(RunLoop, StopAfterNSamplesComputesExactlyN) {
    form.ShowPage(FirPage);
    form.Control<QComboBox>("Vorm")->setEditText("Noise");
    form.RunSamples(37);
    EXPECT_EQ(form.samples, 37);
    std::uint32_t expected = 0;
    for (int i = 0; i < 37; ++i)
        expected = expected * 134775813U + 1U;
    EXPECT_EQ(state.RandomState, expected);
    EXPECT_FALSE(Running());
    EXPECT_EQ(form.RunDepth(), 0);
}

TEST_F(RunLoop, FirstSweepAt48kHzStores194SamplesAndPlots193Passes) {
    form.ShowPage(FirPage);
    form.onSample = [this](int sample) {
        if (sample == 193) {
            EXPECT_TRUE(state.Capturing);
            EXPECT_EQ(form.Series2().Count(), 0U);
            EXPECT_EQ(LampColor("trigsh"), signova::clLime);
        }
    };
    form.RunSamples(194);
    EXPECT_FALSE(state.Capturing);
    EXPECT_EQ(state.SweepLength, 192);
    EXPECT_EQ(form.Series1().Count(), 2U * 193);
    EXPECT_EQ(form.Series2().Count(), 2U * 193);
    EXPECT_EQ(form.Series3().Count(), 0U);
    ASSERT_FALSE(form.Series1().XValues().empty());
    EXPECT_EQ(form.Series1().XValues().front(), 0.0);
}

TEST_F(RunLoop, TimebaseItemZeroAt44100GivesSweepLength110) {
    form.Control<QComboBox>("Sample")->setEditText("44100");
    SelectRadio("Tijdbasis", 0);
    form.ShowPage(FirPage);
    form.RunSamples(1);
    EXPECT_EQ(state.TimebaseFactor, 2);
    EXPECT_EQ(state.SweepLength, 110);
}

TEST_F(RunLoop, SingleTapGainWrapsTheDacAndLightsTheLampUntilTheNextTrigger) {
    SingleTapFir("1.5");
    form.Control<QSlider>("Dial")->setValue(1000);
    form.Control<QToolButton>("SpeedButton3")->click(); // 1000 Hz: 48 samples per cycle
    form.ShowPage(FirPage);
    bool sawWrap = false;
    bool sawNextTrigger = false;
    form.onSample = [&](int) {
        if (state.InputSample == 2047) {
            // 1.5 * 2047 = 3070.5 rounds to 3070, which wraps to -1024.
            EXPECT_EQ(state.OutputSample, -1024);
            EXPECT_EQ(LampColor("DACsh"), signova::clRed);
            sawWrap = true;
        } else if (sawWrap && !sawNextTrigger && state.Capturing && state.SweepIndex == 1) {
            EXPECT_EQ(LampColor("DACsh"), signova::clBtnFace);
            sawNextTrigger = true;
        } else if (sawWrap && !sawNextTrigger) {
            EXPECT_EQ(LampColor("DACsh"), signova::clRed);
        }
    };
    form.RunSamples(600);
    EXPECT_TRUE(sawWrap);
    EXPECT_TRUE(sawNextTrigger);
    EXPECT_EQ(LampColor("DACsh"), signova::clBtnFace); // Stop switched it off
}

TEST_F(RunLoop, DacWrapIsKnownForEveryPassWhateverTheLampShows) {
    SingleTapFir("1.5");
    form.Control<QSlider>("Dial")->setValue(1000);
    form.Control<QToolButton>("SpeedButton3")->click();
    form.ShowPage(FirPage);
    int wrappedPasses = 0;
    int quietPassesWithRedLamp = 0;
    form.onSample = [&](int) {
        // 1.5 * 1365 = 2047.5 rounds to 2048, the first code beyond the range.
        const bool beyondRange = std::fabs(state.InputSample) >= 1365;
        EXPECT_EQ(form.DacWrappedInLatestPass(), beyondRange) << state.InputSample;
        if (state.InputSample == 2047) {
            EXPECT_EQ(state.OutputSample, -1024);
        }
        wrappedPasses += form.DacWrappedInLatestPass() ? 1 : 0;
        if (!form.DacWrappedInLatestPass() && LampColor("DACsh") == signova::clRed)
            ++quietPassesWithRedLamp;
    };
    form.RunSamples(480);
    EXPECT_EQ(wrappedPasses, 10 * 26); // phases 6/48 to 18/48 and 30/48 to 42/48
    EXPECT_GT(quietPassesWithRedLamp, 0);
}

TEST_F(RunLoop, SweepsPlottedCountsEverySweepSinceStartUp) {
    form.ShowPage(FirPage);
    EXPECT_EQ(form.SweepsPlotted(), 0);
    form.RunSamples(193); // one sample short of the first sweep
    EXPECT_EQ(form.SweepsPlotted(), 0);
    form.RunSamples(194); // Run starts the sweep anew
    EXPECT_EQ(form.SweepsPlotted(), 1);
    form.RunSamples(194);
    EXPECT_EQ(form.SweepsPlotted(), 2);

    form.Control<QSlider>("Dial")->setValue(1000);
    form.Control<QToolButton>("SpeedButton3")->click();
    long long sweepsEnded = 0;
    bool wasCapturing = false;
    form.onSample = [&](int) {
        if (wasCapturing && !state.Capturing)
            ++sweepsEnded;
        wasCapturing = state.Capturing;
    };
    form.RunSamples(4800);
    EXPECT_EQ(form.SweepsPlotted() - 2, sweepsEnded);
    // Sweeps start at samples 48, 288, 528 and 768; by then the creep has moved
    // the phase at the cycle's start past the trigger window, and it takes until
    // sample 2879 to creep round again: 8 sweeps in 100 cycles.
    EXPECT_EQ(sweepsEnded, 8);
}

TEST_F(RunLoop, StopClickedDuringARunEndsItAndSwitchesTheBlinkTimerOff) {
    form.ShowPage(FirPage);
    auto* timer = form.Control<QTimer>("Timer1");
    form.onSample = [&](int sample) {
        EXPECT_TRUE(timer->isActive());
        if (sample == 5)
            form.Control<QPushButton>("Stop")->click();
    };
    form.RunSamples(1000);
    EXPECT_EQ(form.samples, 5);
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(form.Control<QLabel>("RunLabel")->isHidden());
}

TEST_F(RunLoop, RunTwiceThenStopEndsBoth) {
    form.ShowPage(FirPage);
    int depthSeen = 0;
    form.onSample = [&](int sample) {
        if (sample == 5)
            form.RunClick();
        depthSeen = std::max(depthSeen, form.RunDepth());
    };
    form.RunSamples(12);
    EXPECT_EQ(depthSeen, 2);
    EXPECT_EQ(form.samples, 12);
    EXPECT_EQ(form.RunDepth(), 0);
    EXPECT_FALSE(Running());
}

TEST_F(RunLoop, RunsNestAtMostSixtyFourDeep) {
    form.ShowPage(FirPage);
    int deepest = 0;
    form.onSample = [&](int sample) {
        deepest = std::max(deepest, form.RunDepth());
        if (sample < 100)
            form.RunClick();
    };
    form.RunSamples(100);
    EXPECT_EQ(deepest, TForm1::MaxNestedRuns);
    EXPECT_EQ(form.RunDepth(), 0);
}

TEST_F(RunLoop, PageChangeDuringARunStopsIt) {
    form.ShowPage(FirPage);
    form.onSample = [&](int sample) {
        if (sample == 3)
            form.ShowPage(IirPage);
    };
    form.RunSamples(1000);
    EXPECT_EQ(form.samples, 3);
    EXPECT_FALSE(Running());
}

TEST_F(RunLoop, BadIirCellGivesRowMessageOneSampleAndStoppedRun) {
    form.IirCells().SetCell(2, 1, "x");
    form.ShowPage(IirPage);
    form.RunSamples(1000);
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"message: Error in data for IIR Filter. Row 0"});
    EXPECT_EQ(form.samples, 1);
    EXPECT_FALSE(Running());
}

TEST_F(RunLoop, BadFirCellStopsTheRunBeforeTheErrorIsShown) {
    form.FirCells().SetCell(1, 3, "abc");
    form.ShowPage(FirPage);
    try {
        form.RunSamples(10);
        FAIL() << "the run should end with the conversion error";
    } catch (const signova::ConversionError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid floating point value");
    }
    EXPECT_EQ(form.samples, 0);
    EXPECT_FALSE(Running());
    EXPECT_TRUE(state.StopRequested);
}

TEST_F(RunLoop, UnstableIirEndsTheRunStoppedWithInvalidOperation) {
    // y[n] = x[n] + 1.5 y[n-1] grows without bound.
    form.IirCells().SetRowCount(3);
    form.IirCells().SetCell(1, 2, "1.5");
    form.IirCells().SetCell(2, 2, "0");
    state.IirOrder = 2;
    form.Control<QComboBox>("Vorm")->setEditText("Square");
    form.ShowPage(IirPage);
    EXPECT_THROW(form.RunSamples(100000), signova::InvalidOperationError);
    EXPECT_GT(form.samples, 50);
    EXPECT_LT(form.samples, 200);
    EXPECT_FALSE(Running());
    EXPECT_TRUE(state.StopRequested);
    EXPECT_EQ(form.RunDepth(), 0);
}

TEST_F(RunLoop, ErrorInANestedRunEndsTheOuterRunToo) {
    form.ShowPage(FirPage);
    form.onSample = [&](int sample) {
        if (sample == 4) {
            form.FirCells().SetCell(1, 0, "oops");
            EXPECT_THROW(form.RunClick(), signova::ConversionError);
        }
    };
    form.RunSamples(1000);
    EXPECT_EQ(form.samples, 4);
    EXPECT_FALSE(Running());
}

TEST_F(RunLoop, DontShowLeavesInputSeriesEmptyAndCentresOutputAt4000) {
    SelectRadio("Input", 0);
    form.ShowPage(FirPage);
    form.RunSamples(194);
    EXPECT_EQ(state.OutputOffset, 4000);
    EXPECT_EQ(form.Series1().Count(), 0U);
    EXPECT_EQ(form.Series3().Count(), 0U);
    ASSERT_FALSE(form.Series2().YValues().empty());
    EXPECT_EQ(form.Series2().YValues().front(), 4000 + form.State().OutputCapture[0]);
}

TEST_F(RunLoop, StepPictureStartsAtTheZeroLines) {
    form.Control<QCheckBox>("Filter")->setChecked(false);
    form.ShowPage(FirPage);
    form.RunSamples(194);
    const auto& inputY = form.Series1().YValues();
    const auto& outputY = form.Series2().YValues();
    ASSERT_GE(inputY.size(), 2U);
    EXPECT_EQ(inputY[0], 7000.0);
    EXPECT_EQ(inputY[1], state.InputCapture[0] / 3 + 7000);
    EXPECT_EQ(outputY[0], 3000.0);
    EXPECT_EQ(outputY[1], state.OutputCapture[0] + 3000);
    EXPECT_EQ(form.Series3().Count(), 193U);
    EXPECT_EQ(form.Series1().LinePen().Color(), signova::clGreen);
}

TEST_F(RunLoop, MarkerSizeFollowsTheChartWidth) {
    QWidget* chart = form.findChild<QWidget*>("Chart1");
    chart->resize(369, 267);
    form.Control<QCheckBox>("Filter")->setChecked(false);
    form.ShowPage(FirPage);
    form.RunSamples(194);
    EXPECT_EQ(form.Series3().Pointer().HorizSize(), 1);
    EXPECT_EQ(form.Series4().Pointer().HorizSize(), 1);
    SelectRadio("Tijdbasis", 0);
    form.RunSamples(100);
    EXPECT_EQ(form.Series3().Pointer().HorizSize(), 2);
}

TEST_F(RunLoop, BlinkPulseAndNoiseCarryOverBetweenRuns) {
    form.ShowPage(FirPage);
    form.Control<QComboBox>("Vorm")->setEditText("Noise");
    form.RunSamples(2);
    const std::uint32_t afterFirst = state.RandomState;
    form.RunSamples(1);
    EXPECT_EQ(state.RandomState, afterFirst * 134775813U + 1U);

    // A blink state left at 1 shows the visible label at the first tick and
    // hides it only at the second, 800 ms after Run.
    state.BlinkState = 1;
    form.onSample = [&](int sample) {
        auto* label = form.Control<QLabel>("RunLabel");
        if (sample == 1) {
            form.Timer1Timer();
            EXPECT_FALSE(label->isHidden());
            form.Timer1Timer();
            EXPECT_TRUE(label->isHidden());
        }
    };
    form.RunSamples(2);
    EXPECT_EQ(state.BlinkState, 1);

    form.onSample = nullptr;
    form.Control<QComboBox>("Vorm")->setEditText("Pulse");
    state.PulseFired = true;
    form.RunSamples(1);
    EXPECT_EQ(state.InputSample, 0); // still armed from before: no pulse yet
}

TEST_F(RunLoop, BitsChangeDuringARunClipsAndWrapsFromTheNextSample) {
    SingleTapFir("1.5");
    form.Control<QToolButton>("SpeedButton3")->click();
    form.ShowPage(FirPage);
    double largestInput = 0;
    form.onSample = [&](int sample) {
        if (sample == 1)
            form.Control<QComboBox>("Bits")->setCurrentIndex(0); // "8"
        else {
            largestInput = std::max(largestInput, std::fabs(state.InputSample));
            EXPECT_LE(std::fabs(state.OutputSample), 127);
        }
    };
    form.RunSamples(60);
    EXPECT_EQ(largestInput, 127);
    EXPECT_EQ(state.MaxCode, 127);
}

TEST_F(RunLoop, ClosingTheWindowDuringARunEndsIt) {
    form.ShowPage(FirPage);
    form.show();
    form.onSample = [&](int sample) {
        if (sample == 7)
            form.close();
    };
    form.RunSamples(1000);
    EXPECT_EQ(form.samples, 7);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(Running());
}

TEST_F(RunLoop, ClosingTheWindowDuringARunEndsTheProgram) {
    form.ShowPage(FirPage);
    form.show();
    form.onSample = [&](int sample) {
        if (sample == 7)
            form.close();
    };
    QTimer::singleShot(0, &form, [&] { form.RunSamples(1000000); });
    // Should the loop not end, fail instead of waiting for ever.
    QTimer failSafe;
    failSafe.setSingleShot(true);
    QObject::connect(&failSafe, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    failSafe.start(10000);
    // The application's own message loop: it ends once the run has returned.
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(form.samples, 7);
    EXPECT_EQ(form.RunDepth(), 0);
}

} // namespace
