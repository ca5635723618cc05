#pragma once

#include "engine/simulator_state.h"

#include <cstdint>

// The oscilloscope's trigger and sweep capture: called once per simulated
// sample, it waits for the generator phase to come round to the start of its
// cycle, then stores SweepLength + 2 consecutive input/output pairs.
namespace signova {

// Items of the "Input Signal" radio group.
constexpr int InputDontShowItem = 0; // "Don't show"
constexpr int InputShownItem = 1;    // "xn"
constexpr int InputNormItem = 2;     // "xn (norm.)"

// The Tijdbasis item that gives timebase factor 1; any other gives 2.
constexpr int TimebaseFactorOneItem = 1;

// Lamp fill colours (0x00BBGGRR, or 0x80000000 + n for system colour n).
constexpr std::uint32_t LampLitColor = 0x00FF00;   // lime
constexpr std::uint32_t LampOffColor = 0x8000000F; // button face

// What the scope reads from the window's controls, read afresh for every call.
struct ScopeControls {
    int timebaseItem = TimebaseFactorOneItem; // selected item of Tijdbasis
    int inputItem = InputShownItem;           // selected item of Input
    int amplitudePosition = 100;              // Ampsb position, 1 to 200
    bool filterChecked = true;                // Filter check box
    int chartWidth = 0;                       // current width of Chart1 in pixels
};

// What one captured sample did.
struct CaptureOutcome {
    bool triggered = false;     // this call fired the trigger and started a sweep
    bool sweepComplete = false; // this call stored the sweep's last sample
};

// Trigger wait and capture without plotting. While waiting, a Phase above 0.001
// creeps forward by 0.00001 and the trigger fires when Phase > 0.99999999 or
// Phase < 0.002; at the trigger the timebase factor, sweep spacing, sweep
// length and output offset are latched and the firing sample is stored as the
// first of the sweep. The normalisation choice, amplitude and DacScale are read
// for every stored sample. At the end Capturing is false again.
CaptureOutcome CaptureSample(SimulatorState& state, double input, double output,
                             const ScopeControls& controls);

} // namespace signova
