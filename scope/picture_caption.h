#pragma once

#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"

#include <string>

// The caption printed under an exported picture of the scope, so a picture
// shown later still says what produced it.
namespace signova {

// What the caption needs beyond SimulatorState: readings of the window.
struct CaptionReadings {
    int amplitudePosition = 100; // Ampsb, in per cent of full scale
    std::string timebaseText;    // caption of the selected Tijdbasis item
    FilterKind filter = FilterKind::Fir;
    std::string tableTitle; // that table's title as its page shows it (UTF-8)
};

// Two lines, e.g.
//   "1.00 kHz Sine, Amp 100 %, 12 bits, 48000 Hz, 0.4 ms/div, Gain 1.00"
//   "FIR filter: Moving average, four taps"
// The frequency reads as the frequency display does, the gain as GainEdit;
// blanks around the timebase text and the title are left out, and a table
// without a title gives just "FIR filter" or "IIR filter".
std::string PictureCaption(const SimulatorState& state, const CaptionReadings& readings);

} // namespace signova
