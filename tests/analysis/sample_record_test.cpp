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

// A mark names the samples held: a record copied again has the same one; a
// sample more, or a new run that stores the very same samples, another.
TEST(RecordMarks, DifferForEveryNewRecordOnly) {
    SampleRecord record;
    for (int n = 0; n < 5000; ++n)
        record.Store(n, n);
    const RecordMark first = record.Mark();
    EXPECT_EQ(record.Mark(), first);
    record.Store(0, 0);
    EXPECT_NE(record.Mark(), first);
    record.Clear();
    for (int n = 0; n < 5000; ++n)
        record.Store(n, n);
    EXPECT_NE(record.Mark(), first);
    EXPECT_EQ(record.Mark().stored, first.stored);
}

} // namespace
} // namespace signova
