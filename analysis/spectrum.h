#pragma once

#include <cstdint>
#include <memory>
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

// The magnitude spectrum of one record, bins 0 to length / 2.
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
    double peakFrequency = 0.0;   // Hz
    double peakDb = SpectrumFloorDb;
    // Signal to noise and distortion in dB; none when the peak lies outside
    // the bins where it can be measured, or nothing but the signal is there.
    std::optional<double> sinadDb;
};

// Spectra of records of one length with FFTW: the plan is made once, when the
// analyzer is made, and reused by every Analyze. Make one and keep it; it
// lives on the window's thread (FFTW's planning is not thread-safe).
// The record is weighted with a 4-term Blackman-Harris window, whose side
// lobes at -92 dB keep a 12-bit quantisation floor visible.
class SpectrumAnalyzer {
public:
    // An even length of at least 64 samples.
    explicit SpectrumAnalyzer(int recordLength);
    ~SpectrumAnalyzer();
    SpectrumAnalyzer(const SpectrumAnalyzer&) = delete;
    SpectrumAnalyzer& operator=(const SpectrumAnalyzer&) = delete;

    int Length() const;

    // `record` holds exactly Length() samples in converter codes, oldest
    // first; `maxCode` is the full scale (127, 511 or 2047).
    Spectrum Analyze(std::span<const double> record, std::int32_t maxCode, double sampleRate);

private:
    struct Transform;
    std::unique_ptr<Transform> transform_;
};

} // namespace signova
