#include "design/polynomial_roots.h"

#include "toolkit/extended_arithmetic.h"

#include <unsupported/Eigen/Polynomials>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace signova {
namespace {

// The real Schur form of a real matrix gives complex eigenvalues as exact
// conjugate pairs: each pair is put together, its upper half first. The
// roots are not polished one by one: Newton steps on the members of a
// repeated root pull them apart from the set that is exact for a nearby
// polynomial, and the coefficients multiplied back out drift.
std::vector<Root> ConjugatePairs(const std::vector<Root>& found) {
    std::vector<Root> result;
    for (const Root& r : found) {
        if (r.imag() == 0.0) {
            result.push_back(r);
        } else if (r.imag() > 0.0) {
            result.push_back(r);
            result.push_back(std::conj(r));
        }
    }
    return result;
}

// The product is carried with a 64-bit significand: multiplying out twenty
// roots near the unit circle passes through sums far larger than the result.
// The program's extended arithmetic rounds each step the same on every
// processor, so a dragged root writes the same table everywhere.
void MultiplyBy(std::vector<Extended>& p, std::initializer_list<Extended> factor) {
    std::vector<Extended> product(p.size() + factor.size() - 1, ToExtended(0.0));
    for (std::size_t i = 0; i < p.size(); ++i) {
        std::size_t j = 0;
        for (Extended f : factor) {
            product[i + j] = product[i + j] + p[i] * f;
            ++j;
        }
    }
    p = std::move(product);
}

} // namespace

PolynomialRoots RootsOf(const std::vector<double>& coefficients) {
    PolynomialRoots result;
    std::size_t first = 0;
    while (first < coefficients.size() && coefficients[first] == 0.0)
        ++first;
    result.degreeDropped = static_cast<int>(first);
    if (first == coefficients.size())
        return result;
    const std::vector<double> c(coefficients.begin() + static_cast<std::ptrdiff_t>(first),
                                coefficients.end());
    result.lead = c.front();
    const int degree = static_cast<int>(c.size()) - 1;
    if (degree == 0)
        return result;
    // Trailing zeros are roots at 0 exactly; the solver need not find them.
    int atOrigin = 0;
    while (c[static_cast<std::size_t>(degree - atOrigin)] == 0.0)
        ++atOrigin;
    const int reduced = degree - atOrigin;
    std::vector<Root> roots(static_cast<std::size_t>(atOrigin), Root(0.0, 0.0));
    if (reduced == 1) {
        roots.emplace_back(-c[1] / c[0], 0.0);
    } else if (reduced > 1) {
        // Eigen wants the lowest power first.
        Eigen::VectorXd lowestFirst(reduced + 1);
        for (int k = 0; k <= reduced; ++k)
            lowestFirst[k] = c[static_cast<std::size_t>(reduced - k)];
        Eigen::PolynomialSolver<double, Eigen::Dynamic> solver(lowestFirst);
        std::vector<Root> found;
        for (Eigen::Index k = 0; k < solver.roots().size(); ++k)
            found.push_back(solver.roots()[k]);
        for (const Root& r : ConjugatePairs(found))
            roots.push_back(r);
    }
    result.roots = std::move(roots);
    return result;
}

std::vector<double> CoefficientsOf(const PolynomialRoots& roots) {
    const Extended one = ToExtended(1.0);
    std::vector<Extended> p{one};
    const auto& r = roots.roots;
    for (std::size_t i = 0; i < r.size(); ++i) {
        const Extended re = ToExtended(r[i].real());
        const bool pairNext = r[i].imag() != 0.0 && i + 1 < r.size() && r[i + 1] == std::conj(r[i]);
        if (pairNext) {
            const Extended im = ToExtended(r[i].imag());
            MultiplyBy(p, {one, ToExtended(-2.0) * re, re * re + im * im});
            ++i;
        } else {
            MultiplyBy(p, {one, -re});
        }
    }
    std::vector<double> result(static_cast<std::size_t>(roots.degreeDropped), 0.0);
    const Extended lead = ToExtended(roots.lead);
    for (Extended v : p)
        result.push_back(ToDouble(lead * v));
    return result;
}

std::vector<double> DenominatorPolynomial(const std::vector<double>& feedback) {
    std::vector<double> d{1.0};
    for (std::size_t k = 1; k < feedback.size(); ++k)
        d.push_back(-feedback[k]);
    return d;
}

std::vector<double> FeedbackOf(const std::vector<Root>& poles) {
    const std::vector<double> monic = CoefficientsOf({1.0, 0, poles});
    std::vector<double> a{0.0};
    for (std::size_t k = 1; k < monic.size(); ++k)
        a.push_back(-monic[k]);
    return a;
}

FilterRoots RootsOfFilter(const FilterCoefficients& filter) {
    FilterRoots result;
    result.zeros = RootsOf(filter.b);
    if (filter.a.size() > 1)
        result.poles = RootsOf(DenominatorPolynomial(filter.a));
    return result;
}

std::vector<double> UnitCircleZeroFrequencies(const std::vector<double>& b, double sampleRate) {
    return UnitCircleFrequencies(RootsOf(b).roots, sampleRate);
}

std::vector<double> UnitCircleFrequencies(const std::vector<Root>& zeros, double sampleRate) {
    std::vector<double> frequencies;
    for (const Root& r : zeros) {
        if (std::abs(std::abs(r) - 1.0) > OnUnitCircleTolerance)
            continue;
        // |arg|: both roots of a conjugate pair give the same frequency.
        frequencies.push_back(std::abs(std::arg(r)) / (2.0 * std::numbers::pi) * sampleRate);
    }
    std::sort(frequencies.begin(), frequencies.end());
    // A repeated zero comes out split by far less than a hertz.
    const double sameHz = 1e-6 * sampleRate;
    frequencies.erase(std::unique(frequencies.begin(), frequencies.end(),
                                  [sameHz](double x, double y) { return y - x <= sameHz; }),
                      frequencies.end());
    return frequencies;
}

std::vector<ShownRoot> GroupRepeatedRoots(const std::vector<Root>& roots) {
    std::vector<ShownRoot> groups;
    std::vector<Root> sums;
    for (const Root& r : roots) {
        bool joined = false;
        for (std::size_t g = 0; g < groups.size() && !joined; ++g) {
            if (std::abs(groups[g].at - r) <= RepeatedRootTolerance * std::max(1.0, std::abs(r))) {
                sums[g] += r;
                ++groups[g].multiplicity;
                groups[g].at = sums[g] / static_cast<double>(groups[g].multiplicity);
                joined = true;
            }
        }
        if (!joined) {
            groups.push_back({r, 1});
            sums.push_back(r);
        }
    }
    return groups;
}

} // namespace signova
