#include "scope/picture_caption.h"

#include "engine/settings.h"
#include "toolkit/number_text.h"

#include <string_view>

namespace signova {
namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The word length the converters' largest code stands for.
int Bits(std::int32_t maxCode) {
    int bits = 1;
    for (std::int64_t top = std::int64_t{maxCode} + 1; top > 1; top /= 2)
        ++bits;
    return bits;
}

} // namespace

std::string PictureCaption(const SimulatorState& state, const CaptionReadings& readings) {
    const FrequencyReadout frequency = FrequencyText(state.SignalFrequency);
    std::string caption = frequency.frequency + " " + frequency.unit;
    caption += " ";
    caption += WaveformName(state.Waveform);
    caption += ", Amp " + std::to_string(readings.amplitudePosition) + " %";
    caption += ", " + std::to_string(Bits(state.MaxCode)) + " bits";
    caption += ", " + std::to_string(state.SampleRate) + " Hz";
    caption += ", ";
    caption += Trimmed(readings.timebaseText);
    caption += ", Gain " + FormatFixed(state.DisplayGain, 4, 2);
    caption += readings.filter == FilterKind::Iir ? "\nIIR filter" : "\nFIR filter";
    const std::string_view title = Trimmed(readings.tableTitle);
    if (!title.empty()) {
        caption += ": ";
        caption += title;
    }
    return caption;
}

} // namespace signova
