#pragma once

#include "engine/simulator_state.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The arithmetic behind the window's setting controls. Each function writes
// its fields of the state at once and returns the texts the window shows.
namespace signova {

struct FrequencyReadout {
    std::string frequency; // "10", "1.00", ...
    std::string unit;      // "Hz" or "kHz"
};

struct DialReadout {
    std::string factor; // the dial reading, "1.000"
    FrequencyReadout frequency;
};

struct SampleRateChange {
    // The two timebase item captions, when the text named a sample rate.
    std::optional<std::array<std::string, 2>> timebaseItems;
    std::string settingsCaption;
};

// A frequency as the frequency display shows it: whole hertz below 1 kHz,
// kilohertz with two decimals from there on.
FrequencyReadout FrequencyText(double frequency);
// The waveform's item text in Vorm ("Sine" for 1 ... "Noise" for 6); empty for
// any other number.
std::string_view WaveformName(std::int32_t waveform);

// Signal frequency from the dial position and the range factor.
FrequencyReadout UpdateSignalFrequency(SimulatorState& state, int dialPosition);
DialReadout DialChange(SimulatorState& state, int dialPosition);
// `down` says which of the four range buttons (X 10, X 100, X 1k, X 10k) are down.
FrequencyReadout SpeedButtonClick(SimulatorState& state, const std::array<bool, 4>& down,
                                  int dialPosition);
void VormChange(SimulatorState& state, std::string_view waveformText);
// Returns the amplitude read-out: the position itself, in percent.
std::string AmpsbChange(SimulatorState& state, int amplitudePosition);
// Returns the Settings page caption.
std::string BitsChange(SimulatorState& state, std::string_view bitsText,
                       std::string_view sampleText, int amplitudePosition);
SampleRateChange SampleChange(SimulatorState& state, std::string_view sampleText,
                              std::string_view bitsText);
// Returns the gain read-out.
std::string GainsbChange(SimulatorState& state, int gainPosition);

std::string SettingsCaption(std::string_view sampleText, std::string_view bitsText);
// The gain scroll bar's positions 0 to 200.
constexpr int DisplayGainPositions = 201;
// 1.04 to the power (100 - position), as repeated squaring with the 64-bit
// significand gives it; positions outside the scroll bar's clamp to its ends.
double DisplayGainFor(int gainPosition);

} // namespace signova
