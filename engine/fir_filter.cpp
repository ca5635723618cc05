#include "engine/fir_filter.h"

#include "toolkit/extended_arithmetic.h"
#include "toolkit/number_text.h"

#include <algorithm>

namespace signova {

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

namespace {

// The one summing loop of the filter. Computes the sums of Chains consecutive
// outputs side by side: sums[c] = h[L]*inputs[c + L] + ... + h[0]*inputs[c],
// from the highest tap down, each product and each addition with a 64-bit
// significand and the sum rounded to double after every addition. With
// ShiftInputs (one chain) it also moves every input it reads one place on, as
// the delay line's step needs; those stores cost nothing beside the chain of
// dependent additions.
template <int Chains, bool ShiftInputs>
inline void SumTaps(const double* coefficients, int lastTap, double* inputs, double* sums) {
    static_assert(!ShiftInputs || Chains == 1, "only a single chain shifts its inputs");
    double sum[Chains] = {};
    for (int k = lastTap; k >= 0; --k) {
        const double tap = coefficients[k];
#pragma GCC unroll 8
        for (int c = 0; c < Chains; ++c) {
            // The extended sum is rounded to double after every addition.
            sum[c] = AddProduct(sum[c], inputs[c + k], tap);
        }
        if constexpr (ShiftInputs)
            inputs[k + 1] = inputs[k];
    }
#pragma GCC unroll 8
    for (int c = 0; c < Chains; ++c)
        sums[c] = sum[c];
}

} // namespace

template <int Chains>
void FirSums(const double* coefficients, int lastTap, const double* newestFirst, int count,
             double* sums) {
    // SumTaps writes its inputs only when it shifts them.
    auto* inputs = const_cast<double*>(newestFirst);
    for (int first = 0; first < count; first += Chains)
        SumTaps<Chains, false>(coefficients, lastTap, inputs + first, sums + first);
}

template void FirSums<1>(const double*, int, const double*, int, double*);
template void FirSums<4>(const double*, int, const double*, int, double*);
template void FirSums<8>(const double*, int, const double*, int, double*);

double FIRStep(SimulatorState& state, double x) {
    // FirLastTap is at most 299 after a read; the clamp keeps any other value
    // inside the arrays (the step writes delay entry lastTap + 1).
    const int lastTap = std::min(state.FirLastTap, FirCoefficientCount - 1);
    double* delay = state.InputDelay.data();
    delay[0] = x;
    double sum = 0.0;
    SumTaps<1, true>(state.FirCoefficients.data(), lastTap, delay, &sum);
    return sum;
}

} // namespace signova
