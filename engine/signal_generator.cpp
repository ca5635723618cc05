#include "engine/signal_generator.h"

#include <cmath>
#include <numbers>

namespace signova {
namespace {

double WaveformValue(SimulatorState& state, double p) {
    const double a = state.Amplitude;
    switch (state.Waveform) {
    case SineWave:
        return a * std::sin(2 * std::numbers::pi * p);
    case TriangleWave:
        return p < 0.5 ? (1 - 4 * p) * -a : (3 - 4 * p) * a;
    case SawtoothWave:
        return a * (2 * p - 1);
    case SquareWave:
        return p < 0.5 ? a : -a;
    case PulseWave: {
        // One sample of A at the first sample of a cycle with phase <= 0.5,
        // re-armed by the first later sample whose phase is above 0.5.
        double v = 0;
        if (state.PulseFired && p > 0.5)
            state.PulseFired = false;
        if (!state.PulseFired && p <= 0.5) {
            state.PulseFired = true;
            v = a;
        }
        return v;
    }
    case NoiseWave: {
        const auto span = static_cast<std::uint32_t>(2 * state.Amplitude);
        return static_cast<double>(RandomBelow(state, span)) - a;
    }
    default:
        return 0;
    }
}

} // namespace

double GenerateSample(SimulatorState& state) {
    const double sum = state.Phase + state.SignalFrequency / state.SampleRate;
    state.Phase = sum - std::trunc(sum);
    double v = WaveformValue(state, state.Phase);
    const double limit = state.MaxCode;
    if (v > limit)
        v = limit;
    else if (v < -limit)
        v = -limit;
    return v;
}

std::uint32_t RandomBelow(SimulatorState& state, std::uint32_t n) {
    state.RandomState = state.RandomState * 134775813U + 1U;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state.RandomState) * n) >> 32);
}

} // namespace signova
