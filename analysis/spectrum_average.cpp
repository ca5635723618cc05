#include "analysis/spectrum_average.h"

#include <algorithm>

namespace signova {

int RecordsAveraged(SpectrumAveraging averaging) {
    switch (averaging) {
    case SpectrumAveraging::Off:
        return 1;
    case SpectrumAveraging::Four:
        return 4;
    case SpectrumAveraging::Sixteen:
        return 16;
    case SpectrumAveraging::MaxHold:
        break;
    }
    return 0;
}

std::string AveragingText(SpectrumAveraging averaging) {
    switch (averaging) {
    case SpectrumAveraging::Off:
        return "Averaging off";
    case SpectrumAveraging::Four:
        return "Average 4 records";
    case SpectrumAveraging::Sixteen:
        return "Average 16 records";
    case SpectrumAveraging::MaxHold:
        break;
    }
    return "Max hold";
}

void SpectrumAverager::SetAveraging(SpectrumAveraging averaging) {
    averaging_ = averaging;
    Clear();
}

void SpectrumAverager::Clear() {
    kept_.clear();
    next_ = 0;
    records_ = 0;
    combined_.clear();
}

std::span<const double> SpectrumAverager::Add(std::span<const double> binPowers) {
    if (combined_.size() != binPowers.size())
        Clear();
    if (averaging_ == SpectrumAveraging::MaxHold) {
        if (records_ == 0)
            combined_.assign(binPowers.begin(), binPowers.end());
        else
            std::transform(combined_.begin(), combined_.end(), binPowers.begin(), combined_.begin(),
                           [](double held, double power) { return std::max(held, power); });
        ++records_;
        return combined_;
    }

    const auto depth = static_cast<std::size_t>(RecordsAveraged(averaging_));
    if (kept_.size() < depth)
        kept_.emplace_back(binPowers.begin(), binPowers.end());
    else
        kept_[next_].assign(binPowers.begin(), binPowers.end());
    next_ = (next_ + 1) % depth;
    records_ = static_cast<int>(kept_.size());

    // The mean summed afresh from the kept records, so no rounding piles up
    // over a long run.
    combined_.assign(binPowers.size(), 0.0);
    for (const std::vector<double>& record : kept_)
        for (std::size_t k = 0; k < combined_.size(); ++k)
            combined_[k] += record[k];
    for (double& power : combined_)
        power /= static_cast<double>(kept_.size());
    return combined_;
}

} // namespace signova
