#pragma once

#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "scope/scope_controls.h"

#include <cstddef>
#include <vector>

// A run computed away from the window: the samples a fresh Run would give,
// by the run's own loop, on a state of its own.
namespace signova {

// What a Run does to the state before it reads its table: no stop pending,
// the scope waiting for a trigger from the start of its sweep, the generator
// at phase 0.
inline void StartRun(SimulatorState& state) {
    state.StopRequested = false;
    state.Capturing = false;
    state.SweepIndex = 0;
    state.Phase = 0;
}

// Which converter's codes a take keeps.
enum class TakeSource { Input, Output };

// The first `count` samples of a run of `filter` from `state`, which must be
// as the run would find it once its table is read (StartRun, then the
// table). The run's own sample loop computes them, trigger bookkeeping and
// sweeps included (the scope nudges the generator's phase while it waits for
// a trigger), onto a scratch chart, with the scope controls fixed at
// `controls`. `state` is the take's own: it is left as the run leaves it.
// An error of the chain ("Invalid floating point operation") propagates.
std::vector<double> TakeRunSamples(SimulatorState& state, FilterKind filter,
                                   const ScopeControls& controls, std::size_t count,
                                   TakeSource source);

} // namespace signova
