#include "analysis/spectrum.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace signova {
namespace {

// The offset from the peak bin, -0.5 to 0.5 bins, of the top of the parabola
// through the levels (in dB) of the peak bin and its neighbours, and the
// level there. The window's main lobe is close to a Gaussian, whose log is a
// parabola.
struct PeakTop {
    double offset = 0.0;
    double levelDb = 0.0;
};

PeakTop ParabolaTop(double below, double peak, double above) {
    const double curvature = below - 2.0 * peak + above;
    if (curvature >= 0.0) // three equal levels: no top between them
        return {0.0, peak};
    const double offset = 0.5 * (below - above) / curvature;
    return {offset, peak - 0.25 * (below - above) * offset};
}

} // namespace

int WordLength(std::int32_t maxCode) {
    int bits = 1;
    for (std::int64_t levels = std::int64_t{maxCode} + 1; levels > 1; levels /= 2)
        ++bits;
    return bits;
}

// The rounding error of a full-scale sine is spread evenly over one code:
// its power is 1/12 code^2, the sine's (2^(bits-1))^2 / 2, whose ratio is
// 6.02 bits + 1.76 dB.
constexpr double DbPerBit = 6.02;
constexpr double FullScaleSineDb = 1.76;

double IdealSinadDb(int bits) {
    return DbPerBit * bits + FullScaleSineDb;
}

double EffectiveBits(double sinadDb) {
    return (sinadDb - FullScaleSineDb) / DbPerBit;
}

Spectrum SpectrumOfPowers(std::span<const double> binPowers, std::int32_t maxCode,
                          double sampleRate) {
    if (maxCode <= 0)
        throw std::invalid_argument("full scale must be positive");
    if (binPowers.size() < 2)
        throw std::invalid_argument("a spectrum needs at least two bins");
    const int half = static_cast<int>(binPowers.size()) - 1;
    const double fullScalePower = static_cast<double>(maxCode) * maxCode;

    Spectrum spectrum;
    spectrum.binWidth = sampleRate / (2.0 * half);
    spectrum.levelsDb.resize(binPowers.size());
    for (int k = 0; k <= half; ++k) {
        // A sine's peak amplitude is the square root of twice its mean square.
        const double peakSquare =
            (k == 0 || k == half ? 1.0 : 2.0) * binPowers[static_cast<std::size_t>(k)];
        const double level = 10.0 * std::log10(peakSquare / fullScalePower);
        spectrum.levelsDb[static_cast<std::size_t>(k)] = std::max(level, SpectrumFloorDb);
    }

    const std::vector<double>& levels = spectrum.levelsDb;
    const auto peak = std::max_element(levels.begin(), levels.end());
    spectrum.peakBin = static_cast<int>(peak - levels.begin());
    spectrum.peakDb = *peak;
    spectrum.peakFrequency = spectrum.peakBin * spectrum.binWidth;
    if (spectrum.peakBin > 0 && spectrum.peakBin < half) {
        const auto bin = static_cast<std::size_t>(spectrum.peakBin);
        const double below = levels[bin - 1];
        const double above = levels[bin + 1];
        // A neighbour on the floor has no level to fit.
        if (below > SpectrumFloorDb && above > SpectrumFloorDb) {
            const PeakTop top = ParabolaTop(below, *peak, above);
            spectrum.peakFrequency = (spectrum.peakBin + top.offset) * spectrum.binWidth;
            spectrum.peakDb = top.levelDb;
        }
    }

    if (spectrum.peakBin >= SinadEdgeBins && spectrum.peakBin <= half - SinadEdgeBins) {
        double signal = 0.0;
        double noise = 0.0;
        for (int k = SinadFirstNoiseBin; k <= half; ++k) {
            const bool inSignal = std::abs(k - spectrum.peakBin) <= SinadSignalHalfWidth;
            (inSignal ? signal : noise) += binPowers[static_cast<std::size_t>(k)];
        }
        if (noise > 0.0)
            spectrum.sinadDb = 10.0 * std::log10(signal / noise);
    }
    return spectrum;
}

} // namespace signova
