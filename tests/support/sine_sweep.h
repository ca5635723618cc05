#pragma once

#include "engine/simulator_state.h"
#include "scope/scope_chart_setup.h"
#include "scope/trace_plot.h"
#include "tests/support/scope_series.h"

#include <cmath>
#include <numbers>

namespace signova::testing {

// Plots a sweep of 193 samples of a sine (input) and a delayed, smaller sine
// (output) into the scope chart's four series, as a finished 48000 Hz sweep.
inline void PlotSineSweep(TChart& chart, bool filter, int chartWidth = 369) {
    SimulatorState state;
    state.SweepLength = 192;
    state.SweepSpacing = 400.0 / 192.0;
    state.TimebaseFactor = 1;
    state.OutputOffset = 3000;
    state.DisplayGain = 1.0;
    for (std::size_t k = 0; k < CaptureLength; ++k) {
        const double n = static_cast<double>(k);
        state.InputCapture[k] = std::round(2000.0 * std::sin(n * 2.0 * std::numbers::pi / 64.0));
        state.OutputCapture[k] =
            std::round(1500.0 * std::sin((n - 6) * 2.0 * std::numbers::pi / 64.0));
    }
    ScopeControls controls;
    controls.filterChecked = filter;
    controls.chartWidth = chartWidth;
    PlotSweep(state, controls, FindScopeChartSeries(chart));
}

} // namespace signova::testing
