#pragma once

#include "analysis/spectrum.h"

#include <cstdint>
#include <string>

namespace signova {

// The level axis of the spectrum window in dB full scale; levels beyond
// either end sit on that end.
constexpr double SpectrumTopDb = 20.0;
constexpr double SpectrumBottomDb = -140.0;

// Shown where a read-out has no value.
inline const std::string NoValueText = "\xE2\x80\x94"; // an em dash

// The peak's frequency between bins, "1000.02 Hz"; the dash for a silent record.
std::string PeakText(const Spectrum& spectrum);

// The peak's level, "-0.41 dBFS"; the dash for a silent record.
std::string PeakLevelText(const Spectrum& spectrum);

// "73.91 dB"; the dash when the SINAD cannot be measured.
std::string SinadText(const Spectrum& spectrum);

// The ideal SINAD of the word length of `maxCode`: "74.00 dB" at 12 bits.
std::string IdealSinadText(std::int32_t maxCode);

// The effective number of bits of the measured SINAD, "11.98 bits"; the dash
// when the SINAD cannot be measured.
std::string EffectiveBitsText(const Spectrum& spectrum);

} // namespace signova
