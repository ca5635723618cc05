#include "design/root_drag.h"

#include "design/coefficient_text.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"

#include <cmath>

namespace signova {
namespace {

// A complex root dragged onto the real axis would merge with its conjugate
// into a double real root; it stops this far from the axis.
constexpr double SmallestImaginaryPart = 1e-6;

// The index of the conjugate partner of the complex root at `index`:
// RootsOf lists each pair together, the upper one first.
std::size_t PartnerOf(const std::vector<Root>& roots, std::size_t index) {
    const Root conjugate = std::conj(roots[index]);
    if (index + 1 < roots.size() && roots[index + 1] == conjugate)
        return index + 1;
    if (index > 0 && roots[index - 1] == conjugate)
        return index - 1;
    // Not listed together: the nearest to the conjugate.
    std::size_t nearest = index;
    for (std::size_t i = 0; i < roots.size(); ++i)
        if (i != index && (nearest == index ||
                           std::abs(roots[i] - conjugate) < std::abs(roots[nearest] - conjugate)))
            nearest = i;
    return nearest;
}

} // namespace

void MoveRoot(FilterRoots& roots, RootRef which, Root to) {
    std::vector<Root>& list =
        which.set == RootSet::Zeros ? roots.zeros.roots : roots.poles.roots;
    if (which.index >= list.size())
        return;
    Root& root = list[which.index];
    if (root.imag() == 0.0) {
        root = Root(to.real(), 0.0);
        return;
    }
    const std::size_t partner = PartnerOf(list, which.index);
    const double side = root.imag() > 0 ? 1.0 : -1.0;
    root = Root(to.real(), side * std::max(SmallestImaginaryPart, std::abs(to.imag())));
    if (partner != which.index)
        list[partner] = std::conj(root);
}

FilterCoefficients CoefficientsOfRoots(const FilterRoots& roots, const FilterCoefficients& like) {
    FilterCoefficients result;
    result.b = CoefficientsOf(roots.zeros);
    result.b.resize(like.b.size(), 0.0);
    if (!like.a.empty()) {
        result.a = FeedbackOf(roots.poles.roots);
        result.a.resize(like.a.size(), 0.0);
    }
    return result;
}

void WriteCoefficientCells(const FilterCoefficients& coefficients, FilterKind table,
                           CellStore& grid) {
    if (table == FilterKind::Fir) {
        for (std::size_t k = 0; k < coefficients.b.size(); ++k)
            grid.SetCell(FirValueColumn, static_cast<int>(k), ShortestDoubleText(coefficients.b[k]));
        return;
    }
    for (std::size_t k = 0; k < coefficients.b.size(); ++k) {
        const int row = static_cast<int>(k) + 1;
        grid.SetCell(IirBColumn, row, ShortestDoubleText(coefficients.b[k]));
        if (k > 0)
            grid.SetCell(IirAColumn, row, ShortestDoubleText(coefficients.a[k]));
    }
}

} // namespace signova
