#pragma once

#include "engine/simulator_state.h"

#include <cstdint>

namespace signova {

// Advances the generator phase by one sample period and returns the value of
// the chosen waveform at the new phase, limited to +-MaxCode. Reads only
// Phase, PulseFired, RandomState, SignalFrequency, SampleRate, Waveform,
// Amplitude and MaxCode: the FIR run's look-ahead (scope/fir_look_ahead.h)
// runs it on a scratch state that holds just those.
double GenerateSample(SimulatorState& state);

// A number from 0 to n - 1; advances the program's one random state.
std::uint32_t RandomBelow(SimulatorState& state, std::uint32_t n);

} // namespace signova
