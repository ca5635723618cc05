#pragma once

#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "scope/fir_look_ahead.h"
#include "scope/scope_chart_setup.h"
#include "scope/scope_controls.h"
#include "scope/sweep_capture.h"

#include <concepts>

// The run's sample loop: generator, ADC, filter, DAC and oscilloscope, one
// sample after another until a stop is requested, with the window's message
// processing after every sample.
namespace signova {

// What one sample did, for the lamps.
struct SampleOutcome {
    bool dacWrapped = false; // the DAC wrapped: the overflow lamp turns red
    ScopeEvents scope;       // then what ScopeSample asks of the lamps
};

// What the loop needs of the window around it (tests and benchmarks stand in
// for the window). Per sample, in this order: the scope controls as they are
// now, SampleDone once the sample has been through ScopeSample, then
// ProcessMessages, where every other handler runs; the loop ends when
// StopRequested is set after it. Everything the handlers change takes effect
// from the next sample. The loop itself allocates nothing.
template <class T>
concept SampleLoopSurroundings = requires(T& surroundings, const SampleOutcome& outcome) {
    { surroundings.ReadScopeControls() } -> std::convertible_to<ScopeControls>;
    surroundings.SampleDone(outcome);
    surroundings.ProcessMessages();
};

// The IIR run: its outputs feed back, so it goes one sample at a time.
template <SampleLoopSurroundings Surroundings>
void RunIirSamples(SimulatorState& state, const ScopeChartSeries& series,
                   Surroundings& surroundings) {
    do {
        SampleOutcome outcome;
        outcome.dacWrapped = ComputeSample(state, FilterKind::Iir);
        outcome.scope = ScopeSample(state, state.InputSample, state.OutputSample,
                                    surroundings.ReadScopeControls(), series);
        surroundings.SampleDone(outcome);
        surroundings.ProcessMessages();
    } while (!state.StopRequested);
}

// The FIR run, bit for bit the samples of ComputeSample with FIRStep, with
// the filter's sums computed a block at a time by `lookAhead` (one per run
// level: a nested run has its own). Each sample is committed on its own:
// generator state, InputSample, delay line, OutputSample, ScopeSample. After
// each ProcessMessages the block is checked against the state and looked
// ahead again from there if anything it depends on has changed.
//
// The handlers that run inside ProcessMessages may change settings,
// controls, generator and scope state at will, and the table's length
// FirLastTap (start-up's default table sets it without a read). The
// coefficients and the delay line (FirCoefficients, InputDelay) they may
// change only together with a stop request, as the program's handlers do: either Load button stops
// the run before it reads its table (the IIR read clears part of the delay
// line the filters share), and a nested run on either page reads its table and
// ends only with a stop, which ends this run too. The stop is tested first
// after ProcessMessages, so no sample of a stale block is committed after it.
template <SampleLoopSurroundings Surroundings>
void RunFirSamples(SimulatorState& state, FirLookAhead& lookAhead, const ScopeChartSeries& series,
                   Surroundings& surroundings) {
    ScopeControls controls = surroundings.ReadScopeControls();
    lookAhead.Plan(state, controls);
    for (int i = 0;; ++i) {
        SampleOutcome outcome;
        outcome.dacWrapped = lookAhead.CommitSample(state, i);
        outcome.scope = ScopeSample(state, state.InputSample, state.OutputSample, controls, series);
        surroundings.SampleDone(outcome);
        surroundings.ProcessMessages();
        if (state.StopRequested)
            return;
        controls = surroundings.ReadScopeControls();
        if (i + 1 == lookAhead.Samples() || !lookAhead.StillHolds(state, controls, i)) {
            lookAhead.Plan(state, controls);
            i = -1;
        }
    }
}

} // namespace signova
