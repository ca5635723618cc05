#pragma once

#include "analysis/spectrum.h"

#include <string>

namespace signova {

// The level axis of the spectrum window in dB full scale; levels beyond
// either end sit on that end.
constexpr double SpectrumTopDb = 20.0;
constexpr double SpectrumBottomDb = -140.0;

// Shown where a read-out has no value.
inline const std::string NoValueText = "\xE2\x80\x94"; // an em dash

// The peak's frequency, "1007.81 Hz"; the dash for a silent record.
std::string PeakText(const Spectrum& spectrum);

// "73.91 dB"; the dash when the SINAD cannot be measured.
std::string SinadText(const Spectrum& spectrum);

} // namespace signova
