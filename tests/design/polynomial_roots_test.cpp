#include "design/coefficient_text.h"
#include "design/polynomial_roots.h"
#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace signova;

namespace {

double LargestMagnitude(const std::vector<double>& c) {
    double m = 0;
    for (double v : c)
        m = std::max(m, std::abs(v));
    return m;
}

// |p(r)| against sum |c_k| |r|^k: the backward error of one root.
double BackwardError(const std::vector<double>& c, Root r) {
    Root value = 0.0;
    double scale = 0.0;
    for (double coefficient : c) {
        value = value * r + coefficient;
        scale = scale * std::abs(r) + std::abs(coefficient);
    }
    return std::abs(value) / scale;
}

} // namespace

// Random real polynomials of degree 1 to 20, some with clustered and repeated
// roots: back to the same coefficients, and every root a root of the input.
TEST(PolynomialRoots, CoefficientsToRootsAndBack) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<std::vector<double>> polynomials;
    for (int degree = 1; degree <= 20; ++degree) {
        std::vector<double> c;
        for (int k = 0; k <= degree; ++k)
            c.push_back(value(random));
        polynomials.push_back(c);
    }
    // (z + 1)^10 and (z - 0.9)^4 (z^2 + 1): repeated roots.
    polynomials.push_back(CoefficientsOf({1.0, 0, std::vector<Root>(10, Root(-1, 0))}));
    polynomials.push_back(CoefficientsOf({2.0, 0, {0.9, 0.9, 0.9, 0.9, Root(0, 1), Root(0, -1)}}));
    for (const auto& c : polynomials) {
        SCOPED_TRACE(c.size());
        const PolynomialRoots roots = RootsOf(c);
        ASSERT_EQ(roots.roots.size(), c.size() - 1);
        for (const Root& r : roots.roots)
            EXPECT_LE(BackwardError(c, r), 1e-12) << r;
        const std::vector<double> back = CoefficientsOf(roots);
        ASSERT_EQ(back.size(), c.size());
        for (std::size_t k = 0; k < c.size(); ++k)
            EXPECT_NEAR(back[k], c[k], 1e-12 * LargestMagnitude(c)) << k;
    }
}

TEST(PolynomialRoots, LeadingAndTrailingZerosKeepTheLength) {
    const PolynomialRoots roots = RootsOf({0.0, 0.0, 2.0, -1.0, 0.0});
    EXPECT_EQ(roots.degreeDropped, 2);
    EXPECT_EQ(roots.lead, 2.0);
    ASSERT_EQ(roots.roots.size(), 2u);
    EXPECT_EQ(CoefficientsOf(roots), (std::vector<double>{0.0, 0.0, 2.0, -1.0, 0.0}));
}

// A drag writes the table from every root multiplied out: roots and products
// are the same doubles on every processor, so the table is too.
//  - Eigen's vector code (fused multiply-adds on arm64) would give
//    0.74999999999999989 +- 0.37080992435478277i and -1 for the roots here;
//  - products rounded once more finely (arm64's long double) would end the
//    last table here in -0.13888162400000001.
TEST(PolynomialRoots, SameOnEveryProcessor) {
    const PolynomialRoots roots = RootsOf({1.0, -0.5, -0.8, 0.7});
    EXPECT_EQ(roots.roots, (std::vector<Root>{Root(0.75000000000000044, 0.37080992435478305),
                                              Root(0.75000000000000044, -0.37080992435478305),
                                              Root(-0.99999999999999978, 0.0)}));
    EXPECT_EQ(CoefficientsOf(roots),
              (std::vector<double>{1.0, -0.50000000000000111, -0.79999999999999993, 0.7000000000000004}));
    EXPECT_EQ(CoefficientsOf({1.0, 0, {Root(0.322, 0.41), Root(0.322, -0.41), 0.511}}),
              (std::vector<double>{1.0, -1.155, 0.60086799999999996, -0.13888162399999998}));
}

// The feedback is added: y[n] = x[n] + 1.8 y[n-1] - 0.81 y[n-2] has a double
// pole at +0.9 (z^2 - 1.8 z + 0.81), not at -0.9.
TEST(PolynomialRoots, PolesFollowTheAddedFeedbackBothWays) {
    const FilterRoots roots = RootsOfFilter({{1.0, 0.0, 0.0}, {0.0, 1.8, -0.81}});
    ASSERT_EQ(roots.poles.roots.size(), 2u);
    for (const Root& p : roots.poles.roots)
        EXPECT_NEAR(p.real(), 0.9, 1e-7);
    EXPECT_EQ(FeedbackOf({Root(0.9, 0), Root(0.9, 0)}), (std::vector<double>{0.0, 1.8, -0.81}));
    EXPECT_EQ(FeedbackOf({Root(0.5, 0.5), Root(0.5, -0.5)}), (std::vector<double>{0.0, 1.0, -0.5}));
}

TEST(PolynomialRoots, RepeatedRootsGroupWithinTheTolerance) {
    const auto groups = GroupRepeatedRoots({Root(-1, 0), Root(-1 + 5e-5, 0), Root(-1, -5e-5), Root(0.5, 0.2)});
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].multiplicity, 3);
    EXPECT_EQ(groups[1].multiplicity, 1);
    EXPECT_EQ(GroupRepeatedRoots({Root(-1, 0), Root(-1 + 2e-4, 0)}).size(), 2u);
}

// The shortest text whose float is the designed float, and the shortest whose
// double is the computed double.
// The 48-tap average's zeros are the 48th roots of unity but 1: every
// multiple of 1 kHz at 48 kHz, 24 kHz (z = -1) included, each once. A
// double zero on the circle, split by the eigenproblem, still counts once; a
// zero off the circle, or a pole on it, does not count.
TEST(PolynomialRoots, ZerosOnTheUnitCircleGiveTheirFrequencies) {
    std::vector<double> expected;
    for (int k = 1; k <= 24; ++k)
        expected.push_back(1000.0 * k);
    const std::vector<double> average48 =
        UnitCircleZeroFrequencies(std::vector<double>(48, 1.0 / 48), 48000);
    ASSERT_EQ(average48.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(average48[i], expected[i], 1e-9) << i;

    // (1 + z^-1)^2 (1 - 1.6 z^-1 + 0.64 z^-2): a double zero at fs/2 and a
    // pair at radius 0.8.
    const std::vector<double> doubleZero =
        UnitCircleZeroFrequencies({1, 0.4, -1.56, -0.32, 0.64}, 8000);
    ASSERT_EQ(doubleZero.size(), 1u);
    EXPECT_NEAR(doubleZero[0], 4000.0, 1e-3);
    EXPECT_TRUE(UnitCircleZeroFrequencies({1.0, -0.5}, 8000).empty());
}

TEST(CoefficientText, ShortestTextThatGivesTheValueBack) {
    EXPECT_EQ(ShortestFloatText(0.1f), "0.1");
    EXPECT_EQ(ShortestFloatText(-0.0234375f), "-0.0234375");
    EXPECT_EQ(ShortestFloatText(1.0f / 3.0f), "0.33333334");
    EXPECT_EQ(ShortestFloatText(1e-5f), "1e-05");
    EXPECT_EQ(ShortestDoubleText(0.1), "0.1");
    EXPECT_EQ(ShortestDoubleText(1.0 / 3.0), "0.3333333333333333");
    std::mt19937 random(3);
    std::uniform_real_distribution<float> value(-2.0f, 2.0f);
    for (int i = 0; i < 1000; ++i) {
        const float f = value(random);
        const std::string t = ShortestFloatText(f);
        EXPECT_EQ(static_cast<float>(StrToFloat(t)), f) << t;
    }
}
