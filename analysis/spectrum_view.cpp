#include "analysis/spectrum_view.h"

#include "analysis/response_view.h"
#include "toolkit/number_text.h"

namespace signova {
namespace {

bool Silent(const Spectrum& spectrum) {
    return spectrum.levelsDb.empty() || spectrum.peakDb <= SpectrumFloorDb;
}

std::string TwoDecimals(double value) {
    return FormatFixed(value, 15, 2);
}

} // namespace

std::string PeakText(const Spectrum& spectrum) {
    if (Silent(spectrum))
        return NoValueText;
    return FrequencyText(spectrum.peakFrequency);
}

std::string PeakLevelText(const Spectrum& spectrum) {
    if (Silent(spectrum))
        return NoValueText;
    return TwoDecimals(spectrum.peakDb) + " dBFS";
}

std::string SinadText(const Spectrum& spectrum) {
    if (!spectrum.sinadDb)
        return NoValueText;
    return TwoDecimals(*spectrum.sinadDb) + " dB";
}

std::string IdealSinadText(std::int32_t maxCode) {
    return TwoDecimals(IdealSinadDb(WordLength(maxCode))) + " dB";
}

std::string EffectiveBitsText(const Spectrum& spectrum) {
    if (!spectrum.sinadDb)
        return NoValueText;
    return TwoDecimals(EffectiveBits(*spectrum.sinadDb)) + " bits";
}

} // namespace signova
