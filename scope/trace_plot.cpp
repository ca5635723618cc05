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

} // namespace

void PlotSweep(const SimulatorState& state, const ScopeControls& controls,
               const ScopeChartSeries& series) {
    const Traces traces{*series.Series1, *series.Series2, *series.Series3, *series.Series4};
    ClearAll(traces);
    const std::int32_t markerSize = MarkerHalfWidth(controls.chartWidth, state.TimebaseFactor);
    traces.inputMarkers.Pointer().SetHorizSize(markerSize);
    traces.outputMarkers.Pointer().SetHorizSize(markerSize);
    ColourLines(traces, controls.filterChecked);

    const SweepValues a(state.InputCapture);
    const SweepValues b(state.OutputCapture);
    const bool inputShown = state.OutputOffset == OutputOffsetInputShown;
    const double gain = state.DisplayGain;
    const double offset = state.OutputOffset;
    auto yIn = [](double v) { return v / 3 + InputZeroLine; };
    auto yOut = [gain, offset](double v) { return v * gain + offset; };
    // The last pass reads the sample after it; stay inside the buffers.
    const int lastPass = std::min(state.SweepLength, CaptureLength - 2);

    for (int n = 0; n <= lastPass; ++n) {
        const double x = n * state.SweepSpacing;
        const double x2 = n * state.SweepSpacing + state.TimebaseFactor;
        if (controls.filterChecked) {
            // The second point lies two thirds of the way to the next sample.
            if (inputShown) {
                traces.input.AddPoint(x, a[n] / 3 + InputZeroLine, NoLabel, clLime);
                traces.input.AddPoint(x2, (2 * a[n + 1] + a[n]) / 9 + InputZeroLine, NoLabel,
                                      clLime);
            }
            traces.output.AddPoint(x, b[n] * gain + offset, NoLabel, clLime);
            traces.output.AddPoint(x2, (2 * b[n + 1] + b[n]) * gain / 3 + offset, NoLabel, clLime);
        } else {
            // Sample and hold: rise or fall at x, marker just after the step.
            if (inputShown) {
                traces.input.AddPoint(x, yIn(a[n - 1]), NoLabel, clGreen);
                traces.input.AddPoint(x, yIn(a[n]), NoLabel, clLime);
                traces.inputMarkers.AddPoint(x2, yIn(a[n]), NoLabel, clLime);
            }
            traces.output.AddPoint(x, yOut(b[n - 1]), NoLabel, clGreen);
            traces.output.AddPoint(x, yOut(b[n]), NoLabel, clGreen);
            traces.outputMarkers.AddPoint(x2, yOut(b[n]), NoLabel, clLime);
        }
    }
}

} // namespace signova
