#include "analysis/sample_record.h"

#include <gtest/gtest.h>

#include <vector>

namespace signova {
namespace {

struct RingCase {
    int stored;
    int oldest; // number of the oldest sample still held
};

class RecordOrder : public ::testing::TestWithParam<RingCase> {};

TEST_P(RecordOrder, CopiesTheLastSamplesOldestFirst) {
    SampleRecord record;
    for (int n = 0; n < GetParam().stored; ++n)
        record.Store(n, -n);
    RecordedSamples expected;
    for (int n = GetParam().oldest; n < GetParam().stored; ++n) {
        expected.input.push_back(n);
        expected.output.push_back(-n);
    }
    const RecordedSamples samples = record.OldestFirst();
    EXPECT_EQ(samples.input, expected.input);
    EXPECT_EQ(samples.output, expected.output);
}

INSTANTIATE_TEST_SUITE_P(WrapAround, RecordOrder,
                         ::testing::Values(RingCase{3, 0}, RingCase{4096, 0}, RingCase{4101, 5},
                                           RingCase{2 * 4096 + 1, 4097}));

} // namespace
} // namespace signova
