#include "analysis/time_response.h"
#include "tests/analysis/example_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

using namespace signova;

// Impulse and step responses with exact values: a FIR's impulse response is
// its taps, then zeros; y[n] = x[n] + 0.5 y[n-1] answers 0.5^n and 2 - 0.5^n;
// y[n] = x[n] + 2 y[n-1] doubles until the run could no longer round it
// (2^63), where the response ends as the run would.
TEST(TimeResponse, ImpulseAndStepResponsesOfTheRunsFilters) {
    const FilterCoefficients fir{{0.25, 0.5, 0.25}, {}};
    EXPECT_EQ(TimeResponseLength(fir), 64);
    EXPECT_EQ(TimeResponseLength(FilterCoefficients{std::vector<double>(100, 0.01), {}}), 116);
    const TimeResponse impulse = ImpulseResponse(fir, 64);
    std::vector<double> expected(64, 0.0);
    expected[0] = 0.25;
    expected[1] = 0.5;
    expected[2] = 0.25;
    EXPECT_EQ(impulse.samples, expected);
    EXPECT_FALSE(impulse.endsInvalid);
    const TimeResponse step = StepResponse(fir, 5);
    EXPECT_EQ(step.samples, (std::vector<double>{0.25, 0.75, 1.0, 1.0, 1.0}));

    const FilterCoefficients decaying{{1.0, 0.0}, {0.0, 0.5}};
    EXPECT_EQ(TimeResponseLength(decaying), 256);
    const TimeResponse iirImpulse = ImpulseResponse(decaying, 256);
    const TimeResponse iirStep = StepResponse(decaying, 40);
    ASSERT_EQ(iirImpulse.samples.size(), 256u);
    for (int n = 0; n < 40; ++n) {
        EXPECT_EQ(iirImpulse.samples[static_cast<std::size_t>(n)], std::ldexp(1.0, -n)) << n;
        EXPECT_EQ(iirStep.samples[static_cast<std::size_t>(n)], 2.0 - std::ldexp(1.0, -n)) << n;
    }

    const TimeResponse growing = ImpulseResponse({{1.0, 0.0}, {0.0, 2.0}}, 256);
    EXPECT_TRUE(growing.endsInvalid);
    ASSERT_EQ(growing.samples.size(), 63u);
    EXPECT_EQ(growing.samples.back(), std::ldexp(1.0, 62));
}

namespace {

// scipy.signal.lfilter's impulse and step response of one example, as
// tools/make_lfilter_data.py wrote them into tests/data/lfilter_examples.txt.
struct ReferenceResponse {
    std::string file;
    std::vector<double> impulse;
    std::vector<double> step;
};

std::vector<ReferenceResponse> ReadReferences() {
    std::ifstream in(std::string(SIGNOVA_TEST_DATA_DIR) + "/lfilter_examples.txt");
    std::vector<ReferenceResponse> references;
    std::vector<double>* filling = nullptr;
    std::string word;
    while (in >> word) {
        if (word == "example") {
            references.emplace_back();
            int count = 0;
            in >> references.back().file >> count;
        } else if (word == "impulse") {
            filling = &references.back().impulse;
        } else if (word == "step") {
            filling = &references.back().step;
        } else {
            filling->push_back(std::stod(word));
        }
    }
    return references;
}

double Peak(const std::vector<double>& values) {
    double peak = 0.0;
    for (double v : values)
        peak = std::max(peak, std::abs(v));
    return peak;
}

} // namespace

// Every example, loaded as Load does, answers an impulse and a step through
// the run's own filter step as scipy.signal.lfilter does, within 1e-12 of the
// response's peak, over the number of samples the view shows.
TEST(TimeResponse, EveryExampleAgreesWithAnOutsideReference) {
    const std::vector<ReferenceResponse> references = ReadReferences();
    ASSERT_EQ(references.size(), 10u);
    for (const ReferenceResponse& reference : references) {
        const FilterCoefficients filter = Example(reference.file);
        const int count = TimeResponseLength(filter);
        ASSERT_EQ(static_cast<std::size_t>(count), reference.impulse.size()) << reference.file;
        for (const bool impulse : {true, false}) {
            const std::vector<double>& expected = impulse ? reference.impulse : reference.step;
            const TimeResponse response =
                impulse ? ImpulseResponse(filter, count) : StepResponse(filter, count);
            ASSERT_EQ(response.samples.size(), expected.size()) << reference.file;
            EXPECT_FALSE(response.endsInvalid);
            const double tolerance = 1e-12 * Peak(expected);
            for (std::size_t n = 0; n < expected.size(); ++n)
                ASSERT_NEAR(response.samples[n], expected[n], tolerance)
                    << reference.file << (impulse ? " impulse " : " step ") << n;
        }
    }
}
