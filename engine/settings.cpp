#include "engine/settings.h"

#include "toolkit/number_text.h"

#include <cstdlib>

namespace signova {
namespace {

struct SampleRateRow {
    std::string_view text;
    std::int32_t rate;
    double spacing; // x-units per sample at timebase factor 1: 400 / samples per sweep
    std::string_view item0;
    std::string_view item1;
};

constexpr double Spacing48000 = 400.0 / 192;

constexpr std::array<SampleRateRow, 8> SampleRates{{
    {"48000", 48000, Spacing48000, "0.2 ms/div", "0.4 ms/div"},
    {"44100", 44100, 400.0 / 221, "0.25 ms/div", "0.5  ms/div"},
    {"22050", 22050, 400.0 / 221, "0.5 ms/div", "  1 ms/div"},
    {"11025", 11025, 400.0 / 221, "1 ms/div", "2 ms/div"},
    {"8000", 8000, 400.0 / 160, "1 ms/div", "2 ms/div"},
    {"5000", 5000, 400.0 / 200, "2 ms/div", "4 ms/div"},
    {"1200", 1200, 400.0 / 240, "10 ms/div", "20 ms/div"},
    {"1000", 1000, 400.0 / 200, "10 ms/div", "20 ms/div"},
}};

constexpr std::array<std::string_view, 6> WaveformNames{"Sine",   "Triangle", "Sawtooth",
                                                        "Square", "Pulse",    "Noise"};

std::int32_t AmplitudeFor(int amplitudePosition, std::int32_t maxCode) {
    return amplitudePosition * maxCode / 100;
}

} // namespace

FrequencyReadout FrequencyText(double frequency) {
    if (frequency >= 1000)
        return {FormatFixed(frequency / 1000, 5, 2), "kHz"};
    return {FormatFixed(frequency, 4, 0), "Hz"};
}

std::string_view WaveformName(std::int32_t waveform) {
    if (waveform < 1 || waveform > static_cast<std::int32_t>(WaveformNames.size()))
        return {};
    return WaveformNames[static_cast<std::size_t>(waveform - 1)];
}

FrequencyReadout UpdateSignalFrequency(SimulatorState& state, int dialPosition) {
    state.SignalFrequency = dialPosition * state.FrequencyMultiplier / 1000;
    return FrequencyText(state.SignalFrequency);
}

DialReadout DialChange(SimulatorState& state, int dialPosition) {
    std::string factor = FormatFixed(dialPosition / 1000.0, 4, 3);
    return {std::move(factor), UpdateSignalFrequency(state, dialPosition)};
}

FrequencyReadout SpeedButtonClick(SimulatorState& state, const std::array<bool, 4>& down,
                                  int dialPosition) {
    constexpr std::array<double, 4> multipliers{10, 100, 1000, 10000};
    for (std::size_t i = 0; i < down.size(); ++i)
        if (down[i])
            state.FrequencyMultiplier = multipliers[i];
    return UpdateSignalFrequency(state, dialPosition);
}

void VormChange(SimulatorState& state, std::string_view waveformText) {
    for (std::size_t i = 0; i < WaveformNames.size(); ++i)
        if (waveformText == WaveformNames[i])
            state.Waveform = static_cast<std::int32_t>(i + 1);
}

std::string AmpsbChange(SimulatorState& state, int amplitudePosition) {
    state.Amplitude = AmplitudeFor(amplitudePosition, state.MaxCode);
    return std::to_string(amplitudePosition);
}

std::string BitsChange(SimulatorState& state, std::string_view bitsText,
                       std::string_view sampleText, int amplitudePosition) {
    if (bitsText == "12")
        state.MaxCode = 2047;
    else if (bitsText == "10")
        state.MaxCode = 511;
    else if (bitsText == "8")
        state.MaxCode = 127;
    state.Amplitude = AmplitudeFor(amplitudePosition, state.MaxCode);
    state.DacScale = 2048 / state.MaxCode;
    return SettingsCaption(sampleText, bitsText);
}

SampleRateChange SampleChange(SimulatorState& state, std::string_view sampleText,
                              std::string_view bitsText) {
    SampleRateChange change;
    state.SampleSpacing = Spacing48000;
    for (const SampleRateRow& row : SampleRates) {
        if (sampleText == row.text) {
            state.SampleRate = row.rate;
            state.SampleSpacing = row.spacing;
            change.timebaseItems =
                std::array<std::string, 2>{std::string(row.item0), std::string(row.item1)};
        }
    }
    change.settingsCaption = SettingsCaption(sampleText, bitsText);
    return change;
}

double DisplayGainFor(int gainPosition) {
    const int exponent = 100 - gainPosition;
    unsigned remaining = static_cast<unsigned>(std::abs(exponent));
    // Squared and multiplied with the 64-bit significand, stored once.
    long double base = 1.04L;
    long double power = 1.0L;
    while (remaining != 0) {
        if (remaining & 1U)
            power *= base;
        base *= base;
        remaining >>= 1U;
    }
    return static_cast<double>(exponent < 0 ? 1.0L / power : power);
}

std::string GainsbChange(SimulatorState& state, int gainPosition) {
    state.DisplayGain = DisplayGainFor(gainPosition);
    return FormatFixed(state.DisplayGain, 4, 2);
}

std::string SettingsCaption(std::string_view sampleText, std::string_view bitsText) {
    std::string caption = "Settings  Samplerate: ";
    caption += sampleText;
    caption += ", ";
    caption += bitsText;
    caption += " Bits";
    return caption;
}

} // namespace signova
