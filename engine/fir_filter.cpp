#include "engine/fir_filter.h"

#include "toolkit/number_text.h"

#include <algorithm>
#include <cfloat>

namespace signova {

static_assert(LDBL_MANT_DIG == 64, "the filters need long double with a 64-bit significand");

void ReadFIRCoefficients(SimulatorState& state, const CellStore& firGrid) {
    int row = 0;
    while (row < FirCoefficientCount) {
        const std::string& text = firGrid.Cell(FirValueColumn, row);
        if (text.empty())
            break;
        state.FirCoefficients[static_cast<std::size_t>(row)] = StrToFloat(text);
        state.InputDelay[static_cast<std::size_t>(row)] = 0.0;
        ++row;
    }
    state.FirLastTap = row - 1;
}

double FIRStep(SimulatorState& state, double x) {
    // FirLastTap is at most 299 after a read; the clamp keeps any other value
    // inside the arrays (the step writes delay entry lastTap + 1).
    const int lastTap = std::min(state.FirLastTap, FirCoefficientCount - 1);
    double* delay = state.InputDelay.data();
    const double* h = state.FirCoefficients.data();
    delay[0] = x;
    double sum = 0.0;
    for (int k = lastTap; k >= 0; --k) {
        const long double product = static_cast<long double>(delay[k]) * h[k];
        // The cast rounds the extended sum to double after every addition.
        sum = static_cast<double>(sum + product);
        delay[k + 1] = delay[k];
    }
    return sum;
}

} // namespace signova
