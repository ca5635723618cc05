#include "analysis/sample_csv.h"

#include <gtest/gtest.h>

#include <string>

namespace signova {
namespace {

struct CsvCase {
    const char* name;
    RecordedSamples samples;
    std::string text;
};

class SamplesAsCsv : public ::testing::TestWithParam<CsvCase> {};

TEST_P(SamplesAsCsv, WritesHeaderAndOneLinePerSampleOldestFirst) {
    EXPECT_EQ(SamplesCsv(GetParam().samples), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SamplesAsCsv,
    ::testing::Values(CsvCase{"Empty", {}, "n,input,output\n"},
                      CsvCase{"ConverterCodes",
                              {{2047, -2047, 0}, {-1, 511, 127}},
                              "n,input,output\n0,2047,-1\n1,-2047,511\n2,0,127\n"},
                      // Shortest text that reads back as the same double.
                      CsvCase{"Fractions",
                              {{0.1, 1.0 / 3, 2.5e-7}, {-0.5, 1e300, 123456789.125}},
                              "n,input,output\n0,0.1,-0.5\n1,0.3333333333333333,1e+300\n"
                              "2,2.5e-07,123456789.125\n"}),
    [](const ::testing::TestParamInfo<CsvCase>& info) { return std::string(info.param.name); });

TEST(SamplesAsCsvFromRecord, CountsFromTheOldestSampleHeld) {
    SampleRecord record;
    for (int n = 0; n < RecordLength + 2; ++n)
        record.Store(n, 10 * n);
    const std::string text = SamplesCsv(record.OldestFirst());
    EXPECT_EQ(text.substr(0, text.find('\n', 15) + 1), "n,input,output\n0,2,20\n");
    EXPECT_EQ(text.substr(text.rfind('\n', text.size() - 2) + 1), "4095,4097,40970\n");
}

} // namespace
} // namespace signova
