#include "analysis/spectrum_view.h"

#include "analysis/response_view.h"
#include "toolkit/number_text.h"

namespace signova {

std::string PeakText(const Spectrum& spectrum) {
    if (spectrum.levelsDb.empty() || spectrum.peakDb <= SpectrumFloorDb)
        return NoValueText;
    return FrequencyText(spectrum.peakFrequency);
}

std::string SinadText(const Spectrum& spectrum) {
    if (!spectrum.sinadDb)
        return NoValueText;
    return FormatFixed(*spectrum.sinadDb, 15, 2) + " dB";
}

} // namespace signova
