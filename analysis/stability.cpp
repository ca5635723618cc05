#include "analysis/stability.h"

#include "toolkit/extended_arithmetic.h"

#include <vector>

namespace signova {

bool IsStable(const FilterCoefficients& filter) {
    // The denominator 1 + c[1] z^-1 + ... + c[M] z^-M with c[k] = -a[k];
    // trailing zeros are poles at the origin and drop out.
    // With the 64-bit significand of the filters, so the verdict is the same
    // on every platform.
    const Extended zero = ToExtended(0.0);
    const Extended one = ToExtended(1.0);
    std::vector<Extended> c(filter.a.size(), zero);
    for (std::size_t k = 1; k < filter.a.size(); ++k)
        c[k] = -ToExtended(filter.a[k]);
    std::size_t order = c.empty() ? 0 : c.size() - 1;
    while (order > 0 && IsZero(c[order]))
        --order;

    // Step down one degree at a time: the polynomial has all its roots inside
    // the circle exactly when every reflection coefficient is below 1 in
    // magnitude. The negated test also fails for NaN.
    std::vector<Extended> lower(order + 1, zero);
    for (std::size_t m = order; m >= 1; --m) {
        const Extended reflection = c[m];
        if (!(Abs(reflection) < one))
            return false;
        const Extended scale = one - reflection * reflection;
        for (std::size_t k = 1; k < m; ++k)
            lower[k] = (c[k] - reflection * c[m - k]) / scale;
        for (std::size_t k = 1; k < m; ++k)
            c[k] = lower[k];
    }
    return true;
}

} // namespace signova
