#pragma once

#include "engine/simulator_state.h"

#include <cstdint>

namespace signova {

// Advances the generator phase by one sample period and returns the value of
// the chosen waveform at the new phase, limited to +-MaxCode.
double GenerateSample(SimulatorState& state);

// A number from 0 to n - 1; advances the program's one random state.
std::uint32_t RandomBelow(SimulatorState& state, std::uint32_t n);

} // namespace signova
