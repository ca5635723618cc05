#include "analysis/sample_record.h"

#include <algorithm>

namespace signova {
namespace {

// The ring's content from its oldest entry on: `count` entries ending just
// before `next`.
std::vector<double> Unrolled(const std::array<double, RecordLength>& ring, std::size_t next,
                             std::size_t count) {
    std::vector<double> samples(count);
    const std::size_t first = (next + RecordLength - count) % RecordLength;
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = ring[(first + i) % RecordLength];
    return samples;
}

} // namespace

int SampleRecord::Count() const {
    return static_cast<int>(std::min<std::uint64_t>(stored_, RecordLength));
}

RecordedSamples SampleRecord::OldestFirst() const {
    const auto next = static_cast<std::size_t>(stored_ & Mask);
    const auto count = static_cast<std::size_t>(Count());
    return {Unrolled(input_, next, count), Unrolled(output_, next, count)};
}

} // namespace signova
