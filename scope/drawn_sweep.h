#pragma once

#include "engine/simulator_state.h"
#include "scope/scope_controls.h"

#include <array>
#include <cstdint>

// The sweep on the scope, kept as it was when it was drawn: the capture
// buffers go on filling with the next sweep while this one stays on screen,
// and what is measured on the screen must be this one.
namespace signova {

enum class Trace { Input, Output };

struct DrawnSweep {
    bool present = false;            // a sweep has been drawn
    std::int32_t lastSample = -1;    // samples 0..lastSample are plotted
    double sweepSpacing = 1.0;       // chart units from one sample to the next
    std::int32_t timebaseFactor = 1; // markers sit this many units after their step
    std::int32_t sampleRate = 0;     // Hz, at the moment the sweep was drawn
    std::int32_t dacScale = 1;       // the captured values are codes times this
    std::int32_t maxCode = 2047;
    std::int32_t outputOffset = 3000;
    double displayGain = 1.0;
    bool inputShown = true;
    bool inputNormalised = false; // "xn (norm.)" when the sweep was drawn
    bool steps = false;           // drawn as steps with markers (Filter not ticked)
    // As captured: DacScale times the code (the input normalised where it was).
    std::array<double, CaptureLength> input{};
    std::array<double, CaptureLength> output{};
};

// Keeps the sweep PlotSweep has just drawn from `state`. Copies only the
// samples of the sweep; allocates nothing.
void KeepDrawnSweep(DrawnSweep& sweep, const SimulatorState& state, const ScopeControls& controls);

// Where sample `n` of a trace is plotted, in chart units: its marker when the
// sweep was drawn as steps, else the point of its value.
double PlottedX(const DrawnSweep& sweep, int n);
double PlottedY(const DrawnSweep& sweep, Trace trace, int n);

} // namespace signova
