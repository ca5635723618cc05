#pragma once

#include "engine/simulator_state.h"
#include "scope/scope_chart_setup.h"
#include "scope/scope_controls.h"

// Drawing a finished sweep into the oscilloscope's four series.
namespace signova {

// Replaces the picture with the sweep in InputCapture / OutputCapture, using
// the values latched at its trigger (SweepLength, SweepSpacing, TimebaseFactor,
// OutputOffset) and DisplayGain. Clears the four series, sizes the markers to
// the chart width, colours the line pens (lime with Filter checked, else
// green), then adds for each sample n = 0..SweepLength either a smoothed pair
// of points per trace or a sample-and-hold step per trace with a marker. The
// input trace and its markers are drawn only when the input was shown at the
// trigger (OutputOffset 3000). All four series must be present.
void PlotSweep(const SimulatorState& state, const ScopeControls& controls,
               const ScopeChartSeries& series);

} // namespace signova
