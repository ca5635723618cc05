#pragma once

#include "analysis/filter_coefficients.h"

#include <complex>
#include <vector>

namespace signova {

using Root = std::complex<double>;

// The roots of one polynomial c[0] z^n + c[1] z^(n-1) + ... + c[n] with real
// coefficients, and what rebuilds it: `lead` * prod (z - root). Leading zero
// coefficients are dropped first (they only lower the degree; `degreeDropped`
// counts them, so the table keeps its length).
struct PolynomialRoots {
    double lead = 0.0;
    int degreeDropped = 0;
    std::vector<Root> roots;
};

// Roots by the eigenvalues of the balanced companion matrix (Eigen's
// PolynomialSolver: Hessenberg QR, backward stable; chosen over liquid's
// root finder, an iteration that may stall on clustered roots). Complex roots come as exact conjugate pairs,
// the one with positive imaginary part first. An all-zero polynomial has lead
// 0 and no roots.
PolynomialRoots RootsOf(const std::vector<double>& coefficients);

// lead * prod (z - root), multiplied out in double: real roots one at a time,
// each conjugate pair as one real quadratic z^2 - 2 Re(r) z + |r|^2, so the
// result is real. `degreeDropped` zeros come first. A root with no partner is
// taken by its real part.
std::vector<double> CoefficientsOf(const PolynomialRoots& roots);

// The filter's zeros and poles in this program's convention:
//   zeros: roots of b[0] z^K + b[1] z^(K-1) + ... + b[K]
//   poles: roots of z^M - a[1] z^(M-1) - ... - a[M]  (feedback added)
// An FIR filter (a of at most one value) has no poles; an IIR table of N rows
// has N - 1 poles, those of zero feedback at the origin.
struct FilterRoots {
    PolynomialRoots zeros;
    PolynomialRoots poles;
};
FilterRoots RootsOfFilter(const FilterCoefficients& filter);

// The denominator in the program's convention from its poles: a[0] = 0, then
// a[k] = -c[k] of prod (z - pole) = z^M + c[1] z^(M-1) + ... + c[M].
std::vector<double> FeedbackOf(const std::vector<Root>& poles);

// The roots of the monic denominator z^M - a[1] z^(M-1) - ... - a[M] (a[0] is
// not used): the inverse of FeedbackOf.
std::vector<double> DenominatorPolynomial(const std::vector<double>& feedback);

// A zero this close to the unit circle (| |r| - 1 | <= this) is taken to lie
// on it: a repeated zero on the circle comes out of the eigenproblem split by
// up to about 1e-5. Taking a zero just off the circle costs nothing: the gain
// at its frequency is still computed, only the grid gains a point.
constexpr double OnUnitCircleTolerance = 1e-4;

// The frequencies, in Hz from 0 to sampleRate / 2, of the filter's zeros on
// the unit circle (of b alone; a conjugate pair gives one), ascending, each
// once: where the gain is exactly nothing however fine a grid misses it.
std::vector<double> UnitCircleZeroFrequencies(const std::vector<double>& b, double sampleRate);
// The same from zeros already known (a dragged root is its own source of
// truth): no eigenproblem.
std::vector<double> UnitCircleFrequencies(const std::vector<Root>& zeros, double sampleRate);

// Roots closer than this (relative to max(1, |root|)) are shown as one root of
// higher multiplicity: a triple root splits by about 1e-5 in double.
constexpr double RepeatedRootTolerance = 1e-4;

struct ShownRoot {
    Root at;
    int multiplicity = 1;
};
// The roots grouped into repeated roots (by RepeatedRootTolerance), in the
// order each group first appears, each at the mean of its members.
std::vector<ShownRoot> GroupRepeatedRoots(const std::vector<Root>& roots);

} // namespace signova
