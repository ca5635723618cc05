#include "scope/trace_plot.h"

#include "scope/scope_geometry.h"
#include "scope/sweep_capture.h"

#include <algorithm>
#include <string_view>

namespace signova {
namespace {

constexpr std::string_view NoLabel;
// The input trace is centred here, in the top part of the 0..8000 scale.
constexpr double InputZeroLine = 7000;

// The sweep's sample values, with the value before the first sample counting as 0.
class SweepValues {
public:
    explicit SweepValues(const std::array<double, CaptureLength>& values) : values_(values) {}
    double operator[](int index) const {
        return index < 0 ? 0.0 : values_[static_cast<std::size_t>(index)];
    }

private:
    const std::array<double, CaptureLength>& values_;
};

struct Traces {
    TFastLineSeries& input;
    TFastLineSeries& output;
    TPointSeries& inputMarkers;
    TPointSeries& outputMarkers;
};

void ClearAll(const Traces& traces) {
    traces.input.Clear();
    traces.output.Clear();
    traces.inputMarkers.Clear();
    traces.outputMarkers.Clear();
}

void ColourLines(const Traces& traces, bool filterChecked) {
    traces.input.LinePen().SetColor(clGreen);
    traces.output.LinePen().SetColor(clGreen);
    if (filterChecked) {
        traces.input.LinePen().SetColor(clLime);
        traces.output.LinePen().SetColor(clLime);
    }
}

// Adds the points of one sample after another to the traces.
class SweepPicture {
public:
    SweepPicture(const SimulatorState& state, const Traces& traces)
        : traces_(traces), a_(state.InputCapture), b_(state.OutputCapture),
          inputShown_(state.OutputOffset == OutputOffsetInputShown), gain_(state.DisplayGain),
          offset_(state.OutputOffset) {}

    // x is the sample's position, x2 the position TimebaseFactor units after it.
    // The second point of each trace lies two thirds of the way to the next sample.
    void AddSmoothed(int n, double x, double x2) const {
        if (inputShown_) {
            traces_.input.AddPoint(x, a_[n] / 3 + InputZeroLine, NoLabel, clLime);
            traces_.input.AddPoint(x2, (2 * a_[n + 1] + a_[n]) / 9 + InputZeroLine, NoLabel,
                                   clLime);
        }
        traces_.output.AddPoint(x, b_[n] * gain_ + offset_, NoLabel, clLime);
        traces_.output.AddPoint(x2, (2 * b_[n + 1] + b_[n]) * gain_ / 3 + offset_, NoLabel, clLime);
    }

    // Sample and hold: each trace rises or falls at x from the previous sample
    // to this one; the marker covers the start of the level run.
    void AddStep(int n, double x, double x2) const {
        if (inputShown_) {
            traces_.input.AddPoint(x, InputHeight(a_[n - 1]), NoLabel, clGreen);
            traces_.input.AddPoint(x, InputHeight(a_[n]), NoLabel, clLime);
            traces_.inputMarkers.AddPoint(x2, InputHeight(a_[n]), NoLabel, clLime);
        }
        traces_.output.AddPoint(x, OutputHeight(b_[n - 1]), NoLabel, clGreen);
        traces_.output.AddPoint(x, OutputHeight(b_[n]), NoLabel, clGreen);
        traces_.outputMarkers.AddPoint(x2, OutputHeight(b_[n]), NoLabel, clLime);
    }

private:
    static double InputHeight(double v) { return v / 3 + InputZeroLine; }
    double OutputHeight(double v) const { return v * gain_ + offset_; }

    const Traces& traces_;
    SweepValues a_;
    SweepValues b_;
    bool inputShown_;
    double gain_;
    double offset_;
};

} // namespace

void PlotSweep(const SimulatorState& state, const ScopeControls& controls,
               const ScopeChartSeries& series) {
    const Traces traces{*series.Series1, *series.Series2, *series.Series3, *series.Series4};
    ClearAll(traces);
    const std::int32_t markerSize = MarkerHalfWidth(controls.chartWidth, state.TimebaseFactor);
    traces.inputMarkers.Pointer().SetHorizSize(markerSize);
    traces.outputMarkers.Pointer().SetHorizSize(markerSize);
    ColourLines(traces, controls.filterChecked);

    const SweepPicture picture(state, traces);
    // The last pass reads the sample after it; stay inside the buffers.
    const int lastPass = std::min(state.SweepLength, CaptureLength - 2);
    for (int n = 0; n <= lastPass; ++n) {
        const double x = n * state.SweepSpacing;
        const double x2 = n * state.SweepSpacing + state.TimebaseFactor;
        if (controls.filterChecked)
            picture.AddSmoothed(n, x, x2);
        else
            picture.AddStep(n, x, x2);
    }
}

} // namespace signova
