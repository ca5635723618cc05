#include "scope/sweep_capture.h"

#include "scope/trace_plot.h"
#include "toolkit/number_text.h"

namespace signova {
namespace {

constexpr double CreepThreshold = 0.001;
constexpr double CreepStep = 0.00001;
constexpr double TriggerHigh = 0.99999999;
constexpr double TriggerLow = 0.002;
constexpr double SweepUnits = 400; // horizontal chart units of one sweep
// A sweep stores indices 0 to SweepLength + 1 of the capture buffers.
constexpr std::int32_t LongestSweep = CaptureLength - 2;
constexpr int StartSweepSamples = 192;

// Moves the phase on while waiting and tells whether the trigger fires.
bool TriggerFires(SimulatorState& state) {
    if (state.Phase > CreepThreshold)
        state.Phase = state.Phase + CreepStep;
    return state.Phase > TriggerHigh || state.Phase < TriggerLow;
}

std::int32_t SweepLengthFor(double sweepSpacing) {
    const double samples = SweepUnits / sweepSpacing;
    // The sample rates give at most 240; anything longer would overrun the buffers.
    if (!(samples <= LongestSweep))
        return LongestSweep;
    return static_cast<std::int32_t>(RoundHalfEven(samples));
}

void StartSweep(SimulatorState& state, const ScopeControls& controls) {
    state.Capturing = true;
    state.TimebaseFactor = controls.timebaseItem == TimebaseFactorOneItem ? 1 : 2;
    state.SweepSpacing = state.TimebaseFactor * state.SampleSpacing;
    state.SweepLength = SweepLengthFor(state.SweepSpacing);
    state.OutputOffset =
        controls.inputItem == InputDontShowItem ? OutputOffsetInputHidden : OutputOffsetInputShown;
    state.SweepIndex = 0;
}

double NormalisedInput(double input, const ScopeControls& controls) {
    if (controls.inputItem == InputNormItem && controls.amplitudePosition < 100)
        return input * 100 / controls.amplitudePosition;
    return input;
}

} // namespace

void SetStartSweep(SimulatorState& state) {
    state.SweepSpacing = SweepUnits / StartSweepSamples;
    state.TimebaseFactor = 1;
    state.SweepLength = SweepLengthFor(state.SweepSpacing);
}

SweepStep AdvanceSweep(SimulatorState& state, const ScopeControls& controls) {
    SweepStep step;
    if (!state.Capturing) {
        if (!TriggerFires(state))
            return step;
        StartSweep(state, controls);
        step.triggered = true;
    }
    step.captureIndex = state.SweepIndex;
    state.SweepIndex = state.SweepIndex + 1;
    if (state.SweepIndex > state.SweepLength + 1) {
        state.Capturing = false;
        step.sweepComplete = true;
    }
    return step;
}

CaptureOutcome CaptureSample(SimulatorState& state, double input, double output,
                             const ScopeControls& controls) {
    const SweepStep step = AdvanceSweep(state, controls);
    if (step.captureIndex >= 0) {
        const auto index = static_cast<std::size_t>(step.captureIndex);
        state.InputCapture[index] = state.DacScale * NormalisedInput(input, controls);
        state.OutputCapture[index] = state.DacScale * output;
    }
    return CaptureOutcome{step.triggered, step.sweepComplete};
}

ScopeEvents ScopeSample(SimulatorState& state, double input, double output,
                        const ScopeControls& controls, const ScopeChartSeries& series) {
    const CaptureOutcome outcome = CaptureSample(state, input, output, controls);
    if (outcome.sweepComplete)
        PlotSweep(state, controls, series);
    return ScopeEvents{outcome.triggered, outcome.sweepComplete};
}

} // namespace signova
