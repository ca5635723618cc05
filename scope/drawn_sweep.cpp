#include "scope/drawn_sweep.h"

#include "scope/sweep_capture.h"

#include <algorithm>

namespace signova {
namespace {

// The input trace's zero line and scale, as PlotSweep draws it.
constexpr double InputZeroLine = 7000;
constexpr double InputDivisor = 3;

} // namespace

void KeepDrawnSweep(DrawnSweep& sweep, const SimulatorState& state, const ScopeControls& controls) {
    sweep.present = true;
    sweep.lastSample = std::min(state.SweepLength, CaptureLength - 2);
    sweep.sweepSpacing = state.SweepSpacing;
    sweep.timebaseFactor = state.TimebaseFactor;
    sweep.sampleRate = state.SampleRate;
    sweep.dacScale = state.DacScale;
    sweep.maxCode = state.MaxCode;
    sweep.outputOffset = state.OutputOffset;
    sweep.displayGain = state.DisplayGain;
    sweep.inputShown = state.OutputOffset == OutputOffsetInputShown;
    sweep.inputNormalised = controls.inputItem == InputNormItem;
    sweep.steps = !controls.filterChecked;
    const auto count = static_cast<std::ptrdiff_t>(sweep.lastSample + 2);
    std::copy_n(state.InputCapture.begin(), count, sweep.input.begin());
    std::copy_n(state.OutputCapture.begin(), count, sweep.output.begin());
}

double PlottedX(const DrawnSweep& sweep, int n) {
    const double x = n * sweep.sweepSpacing;
    return sweep.steps ? n * sweep.sweepSpacing + sweep.timebaseFactor : x;
}

double PlottedY(const DrawnSweep& sweep, Trace trace, int n) {
    const auto index = static_cast<std::size_t>(n);
    if (trace == Trace::Input)
        return sweep.input[index] / InputDivisor + InputZeroLine;
    return sweep.output[index] * sweep.displayGain + sweep.outputOffset;
}

} // namespace signova
