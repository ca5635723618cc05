#include "scope/trace_plot.h"

#include "chart/chart.h"
#include "engine/settings.h"
#include "scope/scope_geometry.h"
#include "scope/sweep_capture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace signova {
namespace {

struct PlotPoint {
    double x;
    double y;
    TColor color;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
    friend std::ostream& operator<<(std::ostream& out, const PlotPoint& p) {
        return out << "(" << p.x << ", " << p.y << ", 0x" << std::hex << p.color << std::dec << ")";
    }
};

std::vector<PlotPoint> Points(const TChartSeries& series) {
    std::vector<PlotPoint> points;
    for (std::size_t i = 0; i < series.Count(); ++i)
        points.push_back({series.XValues()[i], series.YValues()[i], series.Colors()[i]});
    return points;
}

bool AllLabelsEmpty(const TChartSeries& series) {
    for (const std::string& label : series.Labels())
        if (!label.empty())
            return false;
    return true;
}

ScopeControls PlotControls(bool filterChecked, int chartWidth = 369) {
    ScopeControls controls;
    controls.filterChecked = filterChecked;
    controls.chartWidth = chartWidth;
    return controls;
}

// A three-sample sweep (SweepLength 2 plus the extra sample) whose picture is
// exact in doubles: input a = 9, 0, 27, 18 and output b = 3, 6, -9, 12.
SimulatorState SmallSweep(std::int32_t outputOffset = 3000) {
    SimulatorState state;
    state.SweepLength = 2;
    state.SweepSpacing = 2.5;
    state.TimebaseFactor = 1;
    state.OutputOffset = outputOffset;
    state.DisplayGain = 2;
    const double a[] = {9, 0, 27, 18};
    const double b[] = {3, 6, -9, 12};
    for (std::size_t i = 0; i < 4; ++i) {
        state.InputCapture[i] = a[i];
        state.OutputCapture[i] = b[i];
    }
    state.InputCapture[4] = 999; // beyond the sweep: never drawn
    state.OutputCapture[4] = 999;
    return state;
}

class TracePlot : public ::testing::Test {
protected:
    TChart chart;
    ScopeChartSeries series = ConfigureScopeChart(chart);
};

// ---- The step picture (Filter unchecked) ----

TEST_F(TracePlot, StepsHoldEachSampleWithAMarkerAfterTheStep) {
    PlotSweep(SmallSweep(), PlotControls(false), series);
    EXPECT_EQ(Points(*series.Series1), (std::vector<PlotPoint>{{0, 7000, clGreen},
                                                               {0, 7003, clLime},
                                                               {2.5, 7003, clGreen},
                                                               {2.5, 7000, clLime},
                                                               {5, 7000, clGreen},
                                                               {5, 7009, clLime}}));
    EXPECT_EQ(Points(*series.Series3),
              (std::vector<PlotPoint>{{1, 7003, clLime}, {3.5, 7000, clLime}, {6, 7009, clLime}}));
    EXPECT_EQ(Points(*series.Series2), (std::vector<PlotPoint>{{0, 3000, clGreen},
                                                               {0, 3006, clGreen},
                                                               {2.5, 3006, clGreen},
                                                               {2.5, 3012, clGreen},
                                                               {5, 3012, clGreen},
                                                               {5, 2982, clGreen}}));
    EXPECT_EQ(Points(*series.Series4),
              (std::vector<PlotPoint>{{1, 3006, clLime}, {3.5, 3012, clLime}, {6, 2982, clLime}}));
}

TEST_F(TracePlot, StepMarkersSitTimebaseFactorUnitsAfterTheStep) {
    SimulatorState state = SmallSweep();
    state.TimebaseFactor = 2;
    state.SweepSpacing = 5;
    PlotSweep(state, PlotControls(false), series);
    EXPECT_EQ(series.Series3->XValues(), (std::vector<double>{2, 7, 12}));
    EXPECT_EQ(series.Series4->XValues(), (std::vector<double>{2, 7, 12}));
    EXPECT_EQ(series.Series1->XValues(), (std::vector<double>{0, 0, 5, 5, 10, 10}));
}

TEST_F(TracePlot, StepsAreGreenLines) {
    PlotSweep(SmallSweep(), PlotControls(false), series);
    EXPECT_EQ(series.Series1->LinePen().Color(), clGreen);
    EXPECT_EQ(series.Series2->LinePen().Color(), clGreen);
}

// ---- The smoothed picture (Filter checked) ----

TEST_F(TracePlot, SmoothedPairsReachTwoThirdsToTheNextSample) {
    PlotSweep(SmallSweep(), PlotControls(true), series);
    // The last pair reads the extra sample at index SweepLength + 1 (18 and 12).
    EXPECT_EQ(Points(*series.Series1), (std::vector<PlotPoint>{{0, 7003, clLime},
                                                               {1, 7001, clLime},
                                                               {2.5, 7000, clLime},
                                                               {3.5, 7006, clLime},
                                                               {5, 7009, clLime},
                                                               {6, 7007, clLime}}));
    EXPECT_EQ(Points(*series.Series2), (std::vector<PlotPoint>{{0, 3006, clLime},
                                                               {1, 3010, clLime},
                                                               {2.5, 3012, clLime},
                                                               {3.5, 2992, clLime},
                                                               {5, 2982, clLime},
                                                               {6, 3010, clLime}}));
    EXPECT_EQ(series.Series3->Count(), 0u);
    EXPECT_EQ(series.Series4->Count(), 0u);
    EXPECT_EQ(series.Series1->LinePen().Color(), clLime);
    EXPECT_EQ(series.Series2->LinePen().Color(), clLime);
}

TEST_F(TracePlot, SmoothedOutputMultipliesByTheGainBeforeDividing) {
    SimulatorState state = SmallSweep();
    state.SweepLength = 0;
    state.DisplayGain = DisplayGainFor(99); // 1.04
    state.OutputCapture[0] = -2048;
    state.OutputCapture[1] = -2016;
    PlotSweep(state, PlotControls(true), series);
    ASSERT_EQ(series.Series2->Count(), 2u);
    // (2 * -2016 + -2048) * 1.04 / 3 + 3000; dividing the gain first gives ...642.
    EXPECT_EQ(series.Series2->YValues()[1], 892.26666666666688);
}

// ---- Input hidden ----

TEST_F(TracePlot, HiddenInputLeavesOnlyTheOutputCentred) {
    for (bool filter : {false, true}) {
        PlotSweep(SmallSweep(4000), PlotControls(filter), series);
        EXPECT_EQ(series.Series1->Count(), 0u);
        EXPECT_EQ(series.Series3->Count(), 0u);
        ASSERT_EQ(series.Series2->Count(), 6u);
        EXPECT_EQ(series.Series2->YValues()[0], filter ? 4006 : 4000);
        EXPECT_EQ(series.Series2->YValues()[1], filter ? 4010 : 4006);
        EXPECT_EQ(series.Series4->Count(), filter ? 0u : 3u);
    }
}

// ---- Replacing the picture ----

TEST_F(TracePlot, EachPlotReplacesThePreviousPicture) {
    PlotSweep(SmallSweep(), PlotControls(false), series);
    PlotSweep(SmallSweep(), PlotControls(true), series);
    EXPECT_EQ(series.Series1->Count(), 6u);
    EXPECT_EQ(series.Series2->Count(), 6u);
    EXPECT_EQ(series.Series3->Count(), 0u);
    EXPECT_EQ(series.Series4->Count(), 0u);
    PlotSweep(SmallSweep(), PlotControls(false), series);
    EXPECT_EQ(series.Series3->Count(), 3u);
    EXPECT_EQ(series.Series1->LinePen().Color(), clGreen);
}

TEST_F(TracePlot, PointsCarryEmptyLabels) {
    PlotSweep(SmallSweep(), PlotControls(false), series);
    for (const TChartSeries* s : {static_cast<const TChartSeries*>(series.Series1),
                                  static_cast<const TChartSeries*>(series.Series2),
                                  static_cast<const TChartSeries*>(series.Series3),
                                  static_cast<const TChartSeries*>(series.Series4)}) {
        EXPECT_EQ(s->Labels().size(), s->Count());
        EXPECT_TRUE(AllLabelsEmpty(*s)) << s->Name();
    }
}

// ---- Marker size and chart height ----

struct MarkerCase {
    int width;
    int factor;
    int size;
};

class MarkerSize : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(MarkerSize, FollowsChartWidthAndTimebase) {
    const MarkerCase& c = GetParam();
    EXPECT_EQ(MarkerHalfWidth(c.width, c.factor), c.size);
}

INSTANTIATE_TEST_SUITE_P(Widths, MarkerSize,
                         ::testing::Values(MarkerCase{369, 1, 1}, // 0.9225
                                           MarkerCase{369, 2, 2}, // 1.845
                                           MarkerCase{500, 2, 2}, // 2.5, halves to even
                                           MarkerCase{700, 2, 4}, // 3.5, halves to even
                                           MarkerCase{600, 1, 2}, // 1.5
                                           MarkerCase{100, 1, 1}, // 0.25 would be 0: kept at 1
                                           MarkerCase{0, 2, 1},   //
                                           MarkerCase{1200, 2, 6}));

TEST_F(TracePlot, PlotSizesBothMarkersFromTheChartWidth) {
    SimulatorState state = SmallSweep();
    PlotSweep(state, PlotControls(false, 369), series);
    EXPECT_EQ(series.Series3->Pointer().HorizSize(), 1);
    EXPECT_EQ(series.Series4->Pointer().HorizSize(), 1);
    state.TimebaseFactor = 2;
    PlotSweep(state, PlotControls(false, 369), series);
    EXPECT_EQ(series.Series3->Pointer().HorizSize(), 2);
    EXPECT_EQ(series.Series4->Pointer().HorizSize(), 2);
    PlotSweep(state, PlotControls(true, 100), series);
    EXPECT_EQ(series.Series3->Pointer().HorizSize(), 1);
    EXPECT_EQ(series.Series4->Pointer().HorizSize(), 1);
}

struct HeightCase {
    int width;
    int height;
    int capped;
};

class ChartHeight : public ::testing::TestWithParam<HeightCase> {};

TEST_P(ChartHeight, NeverTallerThanFourFifthsOfTheWidth) {
    const HeightCase& c = GetParam();
    EXPECT_EQ(CappedChartHeight(c.width, c.height), c.capped);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ChartHeight,
                         ::testing::Values(HeightCase{600, 500, 480}, HeightCase{600, 400, 400},
                                           HeightCase{600, 480, 480}, HeightCase{600, 481, 480},
                                           HeightCase{369, 300, 295}, // 295.2
                                           HeightCase{369, 295, 295},
                                           HeightCase{371, 300, 297})); // 296.8

// ---- A whole sweep through ScopeSample ----

class ScopeRun : public TracePlot {
protected:
    SimulatorState state;
    ScopeControls controls;

    void SetUp() override {
        BitsChange(state, "12", "48000", 100);
        SampleChange(state, "48000", "12");
        GainsbChange(state, 100);
        controls.chartWidth = 369;
    }

    // Runs samples until a sweep is plotted; returns how many that took.
    int SamplesUntilPlotted() {
        for (int sample = 1; sample <= 1000; ++sample) {
            const ScopeEvents events = ScopeSample(state, sample, -sample, controls, series);
            if (sample == 1)
                EXPECT_TRUE(events.triggered);
            else
                EXPECT_FALSE(events.triggered);
            if (events.sweepPlotted)
                return sample;
        }
        return -1;
    }
};

TEST_F(ScopeRun, FirstSweepAt48000PlotsOneHundredNinetyThreePasses) {
    controls.filterChecked = false;
    EXPECT_EQ(SamplesUntilPlotted(), 194);
    EXPECT_FALSE(state.Capturing);
    EXPECT_EQ(series.Series1->Count(), 2u * 193);
    EXPECT_EQ(series.Series2->Count(), 2u * 193);
    EXPECT_EQ(series.Series3->Count(), 193u);
    EXPECT_EQ(series.Series4->Count(), 193u);
    // The last marker sits just beyond the 400 units of the plot.
    EXPECT_EQ(series.Series3->XValues().back(), 192 * (400.0 / 192) + 1);
    EXPECT_GT(series.Series3->XValues().back(), 400);
}

TEST_F(ScopeRun, SmoothedSweepAt48000) {
    EXPECT_EQ(SamplesUntilPlotted(), 194);
    EXPECT_EQ(series.Series1->Count(), 2u * 193);
    EXPECT_EQ(series.Series2->Count(), 2u * 193);
    EXPECT_EQ(series.Series3->Count(), 0u);
    // The last pair ends two thirds of the way to the 194th sample.
    EXPECT_EQ(series.Series1->YValues().back(), (2 * 194.0 + 193) / 9 + 7000);
}

TEST_F(ScopeRun, ThePictureStaysUntilTheNextSweepIsComplete) {
    ASSERT_EQ(SamplesUntilPlotted(), 194);
    const std::vector<double> shown = series.Series2->YValues();
    state.Phase = 0;
    for (int sample = 0; sample < 193; ++sample) {
        const ScopeEvents events = ScopeSample(state, 0, 0, controls, series);
        EXPECT_FALSE(events.sweepPlotted);
    }
    EXPECT_EQ(series.Series2->YValues(), shown);
    EXPECT_TRUE(ScopeSample(state, 0, 0, controls, series).sweepPlotted);
    EXPECT_NE(series.Series2->YValues(), shown);
}

TEST_F(ScopeRun, WaitingSamplesAskNothingOfTheLamps) {
    state.Phase = 0.5;
    const ScopeEvents events = ScopeSample(state, 1, 1, controls, series);
    EXPECT_FALSE(events.triggered);
    EXPECT_FALSE(events.sweepPlotted);
    EXPECT_EQ(series.Series2->Count(), 0u);
}

TEST_F(ScopeRun, HiddenInputAtTheTriggerHoldsForTheWholeSweep) {
    controls.inputItem = InputDontShowItem;
    ScopeSample(state, 1, 1, controls, series);
    controls.inputItem = InputShownItem;
    for (int sample = 1; sample < 193; ++sample)
        ScopeSample(state, 1, 1, controls, series);
    ASSERT_TRUE(ScopeSample(state, 1, 1, controls, series).sweepPlotted);
    EXPECT_EQ(series.Series1->Count(), 0u);
    EXPECT_EQ(series.Series2->YValues().front(), 4001);
}

TEST_F(ScopeRun, LaterSweepsReuseTheSeriesStorage) {
    ASSERT_EQ(SamplesUntilPlotted(), 194);
    const double* inputX = series.Series1->XValues().data();
    const double* outputY = series.Series2->YValues().data();
    const std::string* labels = series.Series2->Labels().data();
    state.Phase = 0;
    ASSERT_EQ(SamplesUntilPlotted(), 194);
    EXPECT_EQ(series.Series1->XValues().data(), inputX);
    EXPECT_EQ(series.Series2->YValues().data(), outputY);
    EXPECT_EQ(series.Series2->Labels().data(), labels);
}

} // namespace
} // namespace signova
