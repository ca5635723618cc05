#pragma once

#include <span>
#include <string>
#include <vector>

namespace signova {

// How the spectrum window combines the records it is shown: each alone, the
// mean of the last 4 or 16, or the highest each bin has reached.
enum class SpectrumAveraging { Off, Four, Sixteen, MaxHold };

// Records in the mean: 1, 4, 16, and 0 for the max hold, which has no end.
int RecordsAveraged(SpectrumAveraging averaging);

// "Averaging off", "Average 4 records", "Average 16 records", "Max hold".
std::string AveragingText(SpectrumAveraging averaging);

// Combines the bin powers of successive records as the averaging says: the
// mean of the powers of the last records (so noise averages to its true
// level, and its spread falls with the square root of their number), or each
// bin's highest power. The caller hands in each record once: a record shown
// again is not new.
class SpectrumAverager {
public:
    // Starts over, with no record.
    void SetAveraging(SpectrumAveraging averaging);
    SpectrumAveraging Averaging() const { return averaging_; }
    void Clear();

    // Takes one record's bin powers and returns the combined powers, valid
    // until the next call. Powers of another number of bins start over.
    std::span<const double> Add(std::span<const double> binPowers);

    // Records in the combined powers: up to RecordsAveraged, or all since the
    // start for the max hold.
    int Records() const { return records_; }

private:
    SpectrumAveraging averaging_ = SpectrumAveraging::Off;
    std::vector<std::vector<double>> kept_; // the last records, a ring
    std::size_t next_ = 0;                  // the ring's slot for the next record
    int records_ = 0;
    std::vector<double> combined_;
};

} // namespace signova
