#include "scope/scope_cursors.h"

#include "chart/chart.h"
#include "engine/settings.h"
#include "scope/reference_trace.h"
#include "scope/scope_chart_setup.h"
#include "scope/sweep_capture.h"
#include "scope/trace_plot.h"
#include "tests/chart/recording_canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace signova {
namespace {

// Pixels per chart unit of a 369 x 267 scope: about 360 pixels for 400 units
// across and 250 for 8000 up.
constexpr double XPixels = 360.0 / 400;
constexpr double YPixels = 250.0 / 8000;

// Codes within +-maxCode (2047 unless given).
double InputCode(int k, int maxCode = 2047) {
    return ((k * 613) % 4001 - 2000) % (maxCode + 1);
}
double OutputCode(int k, int maxCode = 2047) {
    return (1500 - (k * 379) % 3001) % (maxCode + 1);
}

struct SweepCase {
    const char* name;
    const char* sampleRate;
    const char* bits;
    int timebaseItem;
    int gainPosition;
    int inputItem;
    int amplitudePosition;
    bool filterChecked;
};

// One sweep captured from known codes and drawn, as a run would.
class DrawnScope {
public:
    explicit DrawnScope(const SweepCase& c) {
        SampleChange(state_, c.sampleRate, c.bits);
        BitsChange(state_, c.bits, c.sampleRate, c.amplitudePosition);
        GainsbChange(state_, c.gainPosition);
        SetStartSweep(state_);
        controls_.timebaseItem = c.timebaseItem;
        controls_.inputItem = c.inputItem;
        controls_.amplitudePosition = c.amplitudePosition;
        controls_.filterChecked = c.filterChecked;
        controls_.chartWidth = 369;
        series_ = ConfigureScopeChart(chart_);
        for (int k = 0;; ++k) // Phase 0 fires the trigger at the first sample
            if (ScopeSample(state_, InputCode(k, state_.MaxCode), OutputCode(k, state_.MaxCode),
                            controls_, series_)
                    .sweepPlotted)
                break;
        KeepDrawnSweep(sweep_, state_, controls_);
    }

    const DrawnSweep& Sweep() const { return sweep_; }
    // Where PlotSweep put sample n of the trace: its marker when drawn as
    // steps, else the first point of its pair.
    std::pair<double, double> Plotted(Trace trace, int n) const {
        const bool input = trace == Trace::Input;
        const TChartSeries& series =
            controls_.filterChecked
                ? static_cast<const TChartSeries&>(input ? *series_.Series1 : *series_.Series2)
                : (input ? *series_.Series3 : *series_.Series4);
        const auto i = static_cast<std::size_t>(controls_.filterChecked ? 2 * n : n);
        return {series.XValues()[i], series.YValues()[i]};
    }
    const SimulatorState& State() const { return state_; }

private:
    SimulatorState state_;
    ScopeControls controls_;
    TChart chart_;
    ScopeChartSeries series_;
    DrawnSweep sweep_;
};

class CursorOnSample : public ::testing::TestWithParam<SweepCase> {};

TEST_P(CursorOnSample, ReadsThatSamplesTimeAndCode) {
    const DrawnScope scope(GetParam());
    const DrawnSweep& sweep = scope.Sweep();
    const bool normalised = GetParam().inputItem == InputNormItem;
    const double rate = sweep.sampleRate;
    ASSERT_EQ(sweep.lastSample, scope.State().SweepLength);
    for (int n : {0, 1, 57, sweep.lastSample / 2, sweep.lastSample}) {
        for (Trace trace : {Trace::Input, Trace::Output}) {
            const auto [x, y] = scope.Plotted(trace, n);
            EXPECT_EQ(NearestSample(sweep, x), n);
            const SampleCursor cursor = NearestPlottedSample(sweep, x, y, XPixels, YPixels);
            ASSERT_EQ(cursor, (SampleCursor{trace, n})) << "sample " << n;
            EXPECT_EQ(SampleTime(sweep, n), n / rate);
            const int maxCode = sweep.maxCode;
            double expected =
                trace == Trace::Input ? InputCode(n, maxCode) : OutputCode(n, maxCode);
            if (trace == Trace::Input && normalised)
                expected = expected * 100 / GetParam().amplitudePosition * 100 / sweep.maxCode;
            EXPECT_EQ(CursorValue(sweep, cursor), expected) << "sample " << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, CursorOnSample,
    ::testing::Values(
        SweepCase{"Rate48000Timebase1", "48000", "12", 1, 100, 1, 100, true},
        SweepCase{"Rate48000Timebase2Steps", "48000", "12", 0, 100, 1, 100, false},
        SweepCase{"Rate1000Timebase1Gain1p04To5", "1000", "12", 1, 95, 1, 100, true},
        SweepCase{"Rate1000Timebase2StepsGain1p04ToMinus7", "1000", "12", 0, 107, 1, 100, false},
        SweepCase{"NormalisedInputAtHalfAmplitude", "48000", "12", 1, 100, 2, 50, true},
        SweepCase{"EightBitsSteps", "48000", "8", 0, 100, 1, 100, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CursorReadout, GivesTimesPeriodAndLevelsInCodesAndPercent) {
    const DrawnScope scope({"", "48000", "12", 1, 100, 1, 100, true});
    CursorPlaces places;
    places.time1 = 10;
    places.time2 = 58;
    places.level1 = {Trace::Output, 3}; // 1500 - 1137 = 363
    places.level2 = {Trace::Input, 5};  // 3065 % 4001 - 2000 = 1065
    EXPECT_EQ(CursorReadout(scope.Sweep(), places), "t1 0.2083 ms  t2 1.2083 ms\n"
                                                    "\u0394t 1.0000 ms  1/\u0394t 1000.0 Hz\n"
                                                    "L1 out 363  L2 in 1065\n"
                                                    "\u0394L 702 codes  34.3 % FS");
    places.time2 = 10;
    EXPECT_NE(CursorReadout(scope.Sweep(), places).find("1/\u0394t - Hz"), std::string::npos);
}

TEST(CursorReadout, NormalisedInputReadsInPercentAndItsDeltaOnlyInPercent) {
    const DrawnScope scope({"", "48000", "12", 1, 100, 2, 50, true});
    CursorPlaces places;
    places.level1 = {Trace::Input, 1};  // -1387 * 2 = -2774 of 2047: -135.5 %
    places.level2 = {Trace::Output, 1}; // 1121: 54.8 %
    const std::string text = CursorReadout(scope.Sweep(), places);
    EXPECT_EQ(text.substr(text.find("L1")), "L1 in -135.5 %  L2 out 1121\n"
                                            "\u0394L 190.3 % FS");
}

struct ScaleCase {
    SweepCase sweep;
    const char* readout;
};

class ScaleReadoutOf : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleReadoutOf, SaysWhatOneDivisionIsWorth) {
    EXPECT_EQ(ScaleReadout(DrawnScope(GetParam().sweep).Sweep()), GetParam().readout);
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, ScaleReadoutOf,
    ::testing::Values(ScaleCase{{"", "48000", "12", 1, 100, 1, 100, true},
                                "0.400 ms/div  in 3000 codes/div  out 1000 codes/div"},
                      ScaleCase{{"", "48000", "12", 0, 99, 1, 100, true},
                                "0.200 ms/div  in 3000 codes/div  out 961.5 codes/div"},
                      ScaleCase{{"", "44100", "8", 1, 100, 1, 100, true},
                                "0.501 ms/div  in 187.5 codes/div  out 62.50 codes/div"},
                      ScaleCase{{"", "1000", "12", 1, 100, 2, 50, true},
                                "20.0 ms/div  in 146.6 %/div  out 1000 codes/div"},
                      ScaleCase{{"", "1000", "12", 0, 100, 0, 100, true},
                                "10.0 ms/div  out 1000 codes/div"}));

// A sweep of the given codes as the capture holds them (DacScale times the code).
DrawnSweep SweepOfCodes(std::int32_t maxCode, std::int32_t dacScale, std::vector<double> codes) {
    DrawnSweep sweep;
    sweep.present = true;
    sweep.lastSample = static_cast<std::int32_t>(codes.size()) - 1;
    sweep.sweepSpacing = 2;
    sweep.sampleRate = 48000;
    sweep.dacScale = dacScale;
    sweep.maxCode = maxCode;
    for (std::size_t n = 0; n < codes.size(); ++n)
        sweep.output[n] = sweep.input[n] = codes[n] * dacScale;
    return sweep;
}

struct FullScaleCase {
    const char* name;
    std::int32_t maxCode;
    std::int32_t dacScale;
    const char* levels; // the read-out's last line, cursors on -MaxCode and +MaxCode
};

class FullScale : public ::testing::TestWithParam<FullScaleCase> {};

// Full scale is MaxCode codes, not the 2^(bits-1) codes of the range's end.
TEST_P(FullScale, IsAHundredPerCentOfFullScale) {
    const FullScaleCase& c = GetParam();
    const DrawnSweep sweep =
        SweepOfCodes(c.maxCode, c.dacScale, {-double(c.maxCode), 0, double(c.maxCode)});
    CursorPlaces places;
    places.level1 = {Trace::Output, 0};
    places.level2 = {Trace::Output, 2};
    EXPECT_EQ(PercentOfFullScale(sweep, places.level2), 100.0);
    EXPECT_EQ(PercentOfFullScale(sweep, {Trace::Input, 0}), -100.0);
    const std::string text = CursorReadout(sweep, places);
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), c.levels);
}

INSTANTIATE_TEST_SUITE_P(
    WordLengths, FullScale,
    ::testing::Values(FullScaleCase{"Twelve", 2047, 1, "\u0394L 4094 codes  200.0 % FS"},
                      FullScaleCase{"TenScaledByFour", 511, 4, "\u0394L 1022 codes  200.0 % FS"},
                      FullScaleCase{"EightScaledBySixteen", 127, 16,
                                    "\u0394L 254 codes  200.0 % FS"}),
    [](const auto& info) { return std::string(info.param.name); });

// Halfway between two samples the time cursor takes the earlier one.
TEST(NearestSample, TakesTheEarlierOfTwoAsNear) {
    const DrawnSweep sweep = SweepOfCodes(2047, 1, {0, 0, 0, 0});
    EXPECT_EQ(NearestSample(sweep, 3.0), 1); // samples at 0, 2, 4, 6
    EXPECT_EQ(NearestSample(sweep, 3.01), 2);
    EXPECT_EQ(NearestSample(sweep, 100), 3);
}

// The read-out's lines sit on a patch of the panel's colour as wide as the
// widest line, so no trace runs through them; the text is drawn after it.
TEST(CursorPaint, PutsTheReadoutOnAPatchOfThePanel) {
    const DrawnScope scope({"", "48000", "12", 1, 100, 1, 100, true});
    TChart chart;
    ConfigureScopeChart(chart);
    testing::RecordingCanvas canvas;
    const ChartLayout layout = ComputeChartLayout(chart, 369, 267, canvas);
    CursorPlaces places;
    places.time2 = 48;
    PaintCursors(scope.Sweep(), places, layout, canvas, 1);
    using Kind = testing::RecordingCanvas::Kind;
    const auto fills = canvas.Of(Kind::Fill);
    const auto texts = canvas.Of(Kind::Text);
    ASSERT_EQ(fills.size(), 1U);
    ASSERT_EQ(texts.size(), 5U);
    EXPECT_EQ(fills[0]->color, (Rgb{0x00, 0x33, 0x33}));
    std::size_t widest = 0;
    for (const auto* text : texts)
        widest = std::max(widest, text->text.size());
    const CanvasRect patch = fills[0]->rects.at(0);
    EXPECT_EQ(patch, (CanvasRect{layout.plot.left, layout.plot.top,
                                 static_cast<int>(widest) * testing::RecordingCanvas::CharWidth + 6,
                                 5 * testing::RecordingCanvas::LineHeight + 6}));
    EXPECT_LT(fills[0], texts[0]);
    EXPECT_EQ(texts[4]->top, layout.plot.top + 3 + 4 * testing::RecordingCanvas::LineHeight);
}

// Under Large traces the text grows with the traces. A read-out that would
// then cover more than a third of the plot's height, or more than its width,
// steps back towards the text's own size, and the canvas is set back after it.
TEST(CursorPaint, ALargeReadoutStepsBackToFitTheThirdOfThePlot) {
    struct Case {
        int scale;
        int width;
        int height;
        int lineStep;
    };
    const Case cases[] = {
        {1, 1000, 267, 12}, // its own size fits
        {2, 1000, 600, 24}, // 5 lines of 24 pixels fit in a third of a tall plot
        {2, 1000, 267, 12}, // they would not in a low one
        {2, 400, 600, 12},  // nor the widest line in a narrow one
        {3, 1000, 500, 18}, // one step back is enough
        {3, 1000, 267, 12}, // two are needed
    };
    const DrawnScope scope({"", "48000", "12", 1, 100, 1, 100, true});
    TChart chart;
    ConfigureScopeChart(chart);
    for (const Case& c : cases) {
        testing::RecordingCanvas canvas;
        canvas.textScale = c.scale;
        const ChartLayout layout = ComputeChartLayout(chart, c.width, c.height, canvas);
        PaintCursors(scope.Sweep(), CursorPlaces{}, layout, canvas, c.scale);
        const auto texts = canvas.Of(testing::RecordingCanvas::Kind::Text);
        ASSERT_EQ(texts.size(), 5U);
        EXPECT_EQ(texts[1]->top - texts[0]->top, c.lineStep)
            << c.scale << " " << c.width << "x" << c.height << ", plot " << layout.plot.width << "x"
            << layout.plot.height;
        EXPECT_EQ(canvas.textDivisor, 1);
    }
}

TEST(CursorPlacesWithinSweep, MoveOntoTheSamplesAndTheShownTrace) {
    const DrawnScope scope({"", "1000", "12", 1, 100, 0, 100, true}); // input hidden, 200 samples
    CursorPlaces places;
    places.time1 = -3;
    places.time2 = 500;
    places.level1 = {Trace::Input, 240};
    const CursorPlaces within = WithinSweep(places, scope.Sweep());
    EXPECT_EQ(within.time1, 0);
    EXPECT_EQ(within.time2, 200);
    EXPECT_EQ(within.level1, (SampleCursor{Trace::Output, 200}));
}

TEST(ReferenceTrace, KeepsTheOutputCodesAndDrawsThemWithTheCurrentGain) {
    const DrawnScope scope({"", "48000", "12", 1, 100, 1, 100, true});
    SimulatorState state = scope.State();
    ReferenceTrace reference(state);
    reference.Hold(DrawnSweep{}); // no sweep drawn yet: nothing to hold
    EXPECT_FALSE(reference.Held());
    reference.Hold(scope.Sweep());
    ASSERT_TRUE(reference.Held());
    EXPECT_EQ(reference.Kept().output[7], OutputCode(7));
    EXPECT_EQ(reference.X(7), 7 * state.SweepSpacing);
    EXPECT_EQ(reference.Y(7), OutputCode(7) + 3000);
    GainsbChange(state, 99);
    EXPECT_EQ(reference.Y(7), OutputCode(7) * state.DisplayGain + 3000);
    reference.Clear();
    EXPECT_FALSE(reference.Held());
}

} // namespace
} // namespace signova
