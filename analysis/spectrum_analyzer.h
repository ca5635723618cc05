#pragma once

#include "analysis/spectrum.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace signova {

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

    // The power of each bin, 0 to Length() / 2, in codes squared: the mean
    // square that bin stands for (A^2 / 2 for a sine of amplitude A on the
    // bin, c^2 for a constant c in bin 0). Records are averaged as these.
    // `record` holds exactly Length() samples in converter codes, oldest first.
    std::vector<double> BinPowers(std::span<const double> record);

    // The spectrum of one record; `maxCode` is the full scale (127, 511 or 2047).
    Spectrum Analyze(std::span<const double> record, std::int32_t maxCode, double sampleRate);

private:
    struct Transform;
    std::unique_ptr<Transform> transform_;
};

} // namespace signova
