#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace signova {

// Samples kept for the spectrum and the export: a power of two, so that the
// ring position is a mask.
constexpr int RecordLength = 4096;

// A copy of the record, oldest sample first.
struct RecordedSamples {
    std::vector<double> input;
    std::vector<double> output;
};

// Which samples a record holds: equal marks, the same samples (of the same run).
struct RecordMark {
    std::uint64_t run = 0;    // Clears before them
    std::uint64_t stored = 0; // samples stored since that Clear
    bool operator==(const RecordMark&) const = default;
};

// The last RecordLength input and output samples of the run, in a ring. The
// run loop stores every sample; whatever shows the record copies it out now
// and then. Storing is two stores and a count: no allocation, no branch.
class SampleRecord {
public:
    void Store(double input, double output) {
        const auto slot = static_cast<std::size_t>(stored_ & Mask);
        input_[slot] = input;
        output_[slot] = output;
        ++stored_;
    }

    // Samples held: the number stored since the last Clear, at most RecordLength.
    int Count() const;
    bool Full() const { return Count() == RecordLength; }
    void Clear() {
        stored_ = 0;
        ++clears_;
    }
    // Tells a record copied again from a new one, even where a new run has
    // stored the very same samples.
    RecordMark Mark() const { return {clears_, stored_}; }

    // The samples held, oldest first.
    RecordedSamples OldestFirst() const;

private:
    static constexpr std::uint64_t Mask = RecordLength - 1;
    static_assert((RecordLength & (RecordLength - 1)) == 0, "the ring position is a mask");

    std::array<double, RecordLength> input_{};
    std::array<double, RecordLength> output_{};
    std::uint64_t stored_ = 0; // samples stored since the last Clear
    std::uint64_t clears_ = 0;
};

} // namespace signova
