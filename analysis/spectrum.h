#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace signova {

// The level a bin reads when it holds nothing at all (a silent record).
constexpr double SpectrumFloorDb = -200.0;

// SINAD of a sine record: the signal is the peak bin and this many bins on
// either side (the window's main lobe and a little more); noise and
// distortion are all other bins from this first bin up (the bins below are
// the window's leakage of any DC). So it is given only for a peak at least
// twice that far (SinadEdgeBins) from DC, and, so that both ends of the range
// are alike, at least as far from half the sample rate.
constexpr int SinadSignalHalfWidth = 6;
constexpr int SinadFirstNoiseBin = 6;
constexpr int SinadEdgeBins = SinadFirstNoiseBin + SinadSignalHalfWidth;

// The magnitude spectrum of one record, or of several averaged, bins 0 to
// length / 2.
//
// Levels are in dB relative to full scale of the bit width given: a sine of
// amplitude A codes reads 20 log10(A / MaxCode) at its peak when it falls on
// a bin (0 dB for a full-scale sine), up to 0.83 dB less between two bins
// (the window's scalloping loss); a constant c reads 20 log10(|c| / MaxCode)
// in bin 0.
struct Spectrum {
    double binWidth = 0.0;        // Hz from one bin to the next
    std::vector<double> levelsDb; // one per bin, never below SpectrumFloorDb
    int peakBin = 0;              // the highest bin (the lowest of equal ones)
    // The peak between bins: the top of the parabola through the levels of
    // the peak bin and its two neighbours, which takes back most of the
    // scalloping loss (to within 0.01 bin and 0.05 dB for a lone sine and
    // this window).
    double peakFrequency = 0.0; // Hz
    double peakDb = SpectrumFloorDb;
    // Signal to noise and distortion in dB; none when the peak lies outside
    // the bins where it can be measured, or nothing but the signal is there.
    std::optional<double> sinadDb;
};

// The word length whose full scale is `maxCode` (2^(bits - 1) - 1): 8, 10
// or 12 bits for 127, 511 or 2047.
int WordLength(std::int32_t maxCode);

// The SINAD of a full-scale sine quantised to `bits`: 6.02 bits + 1.76 dB.
double IdealSinadDb(int bits);

// The effective number of bits of a measured SINAD: the word length whose
// ideal SINAD it is, (SINAD - 1.76) / 6.02.
double EffectiveBits(double sinadDb);

// The spectrum of bin powers as BinPowers gives them (one record's, or the
// average of several) for a record of 2 * (binPowers.size() - 1) samples.
Spectrum SpectrumOfPowers(std::span<const double> binPowers, std::int32_t maxCode,
                          double sampleRate);

} // namespace signova
