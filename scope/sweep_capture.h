#pragma once

#include "engine/simulator_state.h"
#include "scope/scope_chart_setup.h"
#include "scope/scope_controls.h"

#include <cstdint>

// The oscilloscope's trigger and sweep capture: called once per simulated
// sample, it waits for the generator phase to come round to the start of its
// cycle, then stores SweepLength + 2 consecutive input/output pairs.
namespace signova {

// Zero line of the output trace (OutputOffset), latched at the trigger: below
// the input trace, or mid-screen when the input is not shown.
constexpr std::int32_t OutputOffsetInputShown = 3000;
constexpr std::int32_t OutputOffsetInputHidden = 4000;

// The sweep the scope starts with, before any trigger has latched one: timebase
// factor 1 and the spacing of a 192-sample sweep (400 / 192), the length
// following from the spacing as at a trigger.
void SetStartSweep(SimulatorState& state);

// The trigger and sweep bookkeeping of one sample, without storing it.
struct SweepStep {
    bool triggered = false;         // this sample fired the trigger and started a sweep
    bool sweepComplete = false;     // this sample is the sweep's last
    std::int32_t captureIndex = -1; // where this sample belongs in the sweep; -1 while waiting
};

// Advances the trigger wait or the sweep by one sample: while waiting, a
// Phase above 0.001 creeps forward by 0.00001 and the trigger fires when
// Phase > 0.99999999 or Phase < 0.002; at the trigger the timebase factor,
// sweep spacing, sweep length and output offset are latched and the firing
// sample becomes the first of the sweep. Moves SweepIndex on past the sample;
// after the sweep's last sample Capturing is false again. Reads only Phase,
// Capturing, SweepIndex, SweepLength, SampleSpacing and the timebase and input
// choices: the FIR run's look-ahead (scope/fir_look_ahead.h) runs it on a
// scratch state that holds just those.
SweepStep AdvanceSweep(SimulatorState& state, const ScopeControls& controls);

// What one captured sample did.
struct CaptureOutcome {
    bool triggered = false;     // this call fired the trigger and started a sweep
    bool sweepComplete = false; // this call stored the sweep's last sample
};

// Trigger wait and capture without plotting: AdvanceSweep, then the sample is
// stored at its place in the sweep. The normalisation choice, amplitude and
// DacScale are read for every stored sample.
CaptureOutcome CaptureSample(SimulatorState& state, double input, double output,
                             const ScopeControls& controls);

// What one ScopeSample call asks of the lamps.
struct ScopeEvents {
    // The trigger fired: light trigsh and put DACsh out (the overflow lamp
    // restarts with every sweep).
    bool triggered = false;
    // The sweep was completed and plotted: put trigsh out.
    bool sweepPlotted = false;
};

// The oscilloscope's work for one simulated sample: `input` is the ADC code,
// `output` the DAC value after the wrap. Waits for the trigger or captures the
// sample; the call that completes the sweep plots it into `series` (all four
// present) at once. Allocates nothing once the series hold a sweep's points.
ScopeEvents ScopeSample(SimulatorState& state, double input, double output,
                        const ScopeControls& controls, const ScopeChartSeries& series);

} // namespace signova
