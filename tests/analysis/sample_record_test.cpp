#include "analysis/sample_record.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace signova {
namespace {

struct RingCase {
    int stored;
    double oldest; // the sample number of the oldest one held
    int held;
};

class RecordOrder : public ::testing::TestWithParam<RingCase> {};

TEST_P(RecordOrder, CopiesTheLastSamplesOldestFirst) {
    const RingCase& c = GetParam();
    SampleRecord record;
    for (int n = 0; n < c.stored; ++n)
        record.Store(n, -n);
    std::vector<double> input(static_cast<std::size_t>(c.held));
    std::iota(input.begin(), input.end(), c.oldest);
    std::vector<double> output(input.size());
    std::transform(input.begin(), input.end(), output.begin(), [](double x) { return -x; });

    const RecordedSamples samples = record.OldestFirst();
    EXPECT_EQ(record.Count(), c.held);
    EXPECT_EQ(samples.input, input);
    EXPECT_EQ(samples.output, output);
}

INSTANTIATE_TEST_SUITE_P(WrapAround, RecordOrder,
                         ::testing::Values(RingCase{0, 0, 0}, RingCase{3, 0, 3},
                                           RingCase{4096, 0, 4096}, RingCase{4101, 5, 4096},
                                           RingCase{2 * 4096 + 1, 4097, 4096}));

TEST(RecordOrder, ClearStartsAfresh) {
    SampleRecord record;
    for (int n = 0; n < 5000; ++n)
        record.Store(n, n);
    record.Clear();
    record.Store(7, 8);
    const RecordedSamples samples = record.OldestFirst();
    EXPECT_EQ(samples.input, std::vector<double>{7});
    EXPECT_EQ(samples.output, std::vector<double>{8});
}

} // namespace
} // namespace signova
