#include "design/polynomial_roots.h"

#include <unsupported/Eigen/Polynomials>

#include <algorithm>
#include <cmath>

namespace signova {
namespace {

// p(z) with c[0] the highest power, by Horner's rule, and p'(z).
std::pair<Root, Root> ValueAndSlope(const std::vector<double>& c, Root z) {
    Root value = 0.0;
    Root slope = 0.0;
    for (double coefficient : c) {
        slope = slope * z + value;
        value = value * z + coefficient;
    }
    return {value, slope};
}

Root Polished(const std::vector<double>& c, Root root) {
    for (int step = 0; step < 3; ++step) {
        const auto [value, slope] = ValueAndSlope(c, root);
        if (value == 0.0 || slope == 0.0)
            break;
        const Root next = root - value / slope;
        if (!(std::abs(ValueAndSlope(c, next).first) < std::abs(value)))
            break;
        root = next;
    }
    return root;
}

// Pairs every complex root with the nearest unpaired root of the lower half
// plane and makes the two exact conjugates; real roots lose their imaginary
// dust.
std::vector<Root> AsConjugatePairs(std::vector<Root> roots) {
    std::vector<Root> result;
    std::vector<bool> used(roots.size(), false);
    for (std::size_t i = 0; i < roots.size(); ++i) {
        if (used[i])
            continue;
        used[i] = true;
        const Root r = roots[i];
        if (std::abs(r.imag()) <= 1e-10 * std::max(1.0, std::abs(r))) {
            result.emplace_back(r.real(), 0.0);
            continue;
        }
        std::size_t partner = roots.size();
        double nearest = INFINITY;
        for (std::size_t j = i + 1; j < roots.size(); ++j) {
            const double distance = std::abs(roots[j] - std::conj(r));
            if (!used[j] && distance < nearest) {
                nearest = distance;
                partner = j;
            }
        }
        Root upper = r;
        if (partner < roots.size()) {
            used[partner] = true;
            upper = (r + std::conj(roots[partner])) / 2.0;
        }
        if (upper.imag() < 0)
            upper = std::conj(upper);
        result.push_back(upper);
        result.push_back(std::conj(upper));
    }
    return result;
}

void MultiplyBy(std::vector<double>& p, std::initializer_list<double> factor) {
    std::vector<double> product(p.size() + factor.size() - 1, 0.0);
    for (std::size_t i = 0; i < p.size(); ++i) {
        std::size_t j = 0;
        for (double f : factor)
            product[i + j++] += p[i] * f;
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
        const std::vector<double> trimmed(c.begin(), c.begin() + reduced + 1);
        for (Eigen::Index k = 0; k < solver.roots().size(); ++k)
            roots.push_back(Polished(trimmed, solver.roots()[k]));
    }
    result.roots = AsConjugatePairs(std::move(roots));
    return result;
}

std::vector<double> CoefficientsOf(const PolynomialRoots& roots) {
    std::vector<double> p{roots.lead};
    const auto& r = roots.roots;
    for (std::size_t i = 0; i < r.size(); ++i) {
        const bool pairNext = r[i].imag() != 0.0 && i + 1 < r.size() && r[i + 1] == std::conj(r[i]);
        if (pairNext) {
            MultiplyBy(p, {1.0, -2.0 * r[i].real(), std::norm(r[i])});
            ++i;
        } else {
            MultiplyBy(p, {1.0, -r[i].real()});
        }
    }
    p.insert(p.begin(), static_cast<std::size_t>(roots.degreeDropped), 0.0);
    return p;
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
