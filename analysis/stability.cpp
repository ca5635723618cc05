#include "analysis/stability.h"

#include <cmath>
#include <vector>

namespace signova {

bool IsStable(const FilterCoefficients& filter) {
    // The denominator 1 + c[1] z^-1 + ... + c[M] z^-M with c[k] = -a[k];
    // trailing zeros are poles at the origin and drop out.
    std::vector<long double> c(filter.a.size(), 0.0L);
    for (std::size_t k = 1; k < filter.a.size(); ++k)
        c[k] = -static_cast<long double>(filter.a[k]);
    std::size_t order = c.empty() ? 0 : c.size() - 1;
    while (order > 0 && c[order] == 0.0L)
        --order;

    // Step down one degree at a time: the polynomial has all its roots inside
    // the circle exactly when every reflection coefficient is below 1 in
    // magnitude. The negated test also fails for NaN.
    std::vector<long double> lower(order + 1, 0.0L);
    for (std::size_t m = order; m >= 1; --m) {
        const long double reflection = c[m];
        if (!(std::fabs(reflection) < 1.0L))
            return false;
        const long double scale = 1.0L - reflection * reflection;
        for (std::size_t k = 1; k < m; ++k)
            lower[k] = (c[k] - reflection * c[m - k]) / scale;
        for (std::size_t k = 1; k < m; ++k)
            c[k] = lower[k];
    }
    return true;
}

} // namespace signova
