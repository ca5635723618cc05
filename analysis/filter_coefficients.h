#pragma once

#include <vector>

namespace signova {

// The coefficients of either table in one form, with this program's sign
// convention (the feedback is added):
//   y[n] = b[0]x[n] + ... + b[K]x[n-K] + a[1]y[n-1] + ... + a[M]y[n-M]
// An FIR table gives only b. An IIR table of N rows gives N values of each,
// a[0] being 0: it never takes part in the filter.
struct FilterCoefficients {
    std::vector<double> b;
    std::vector<double> a;
};

} // namespace signova
