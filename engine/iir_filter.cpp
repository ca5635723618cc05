#include "engine/iir_filter.h"

#include "toolkit/errors.h"
#include "toolkit/number_text.h"

#include <algorithm>
#include <cfloat>
#include <string>

namespace signova {

static_assert(LDBL_MANT_DIG == 64, "the filters need long double with a 64-bit significand");

namespace {

void ReportBadRow(SimulatorState& state, Dialogs& dialogs, int index) {
    dialogs.ShowMessage(BadIirRowText(index));
    state.LoadError = true;
}

} // namespace

int IirRowsInUse(std::int32_t iirOrder) {
    return std::clamp(iirOrder, 1, IirCoefficientCount);
}

std::string BadIirRowText(int index) {
    return "Error in data for IIR Filter. Row " + std::to_string(index);
}

void ReadIIRCoefficients(SimulatorState& state, const CellStore& iirGrid, Dialogs& dialogs) {
    const int order = IirRowsInUse(state.IirOrder);
    try {
        state.IirBCoefficients[0] = StrToFloat(iirGrid.Cell(IirBColumn, 1));
    } catch (const ConversionError&) {
        ReportBadRow(state, dialogs, 0);
    }
    for (int k = 1; k < order; ++k) {
        const auto i = static_cast<std::size_t>(k);
        try {
            state.IirACoefficients[i] = StrToFloat(iirGrid.Cell(IirAColumn, k + 1));
            state.IirBCoefficients[i] = StrToFloat(iirGrid.Cell(IirBColumn, k + 1));
            state.InputDelay[i] = 0.0;
            state.OutputDelay[i] = 0.0;
        } catch (const ConversionError&) {
            ReportBadRow(state, dialogs, k);
        }
    }
}

double IIRStep(SimulatorState& state, double x) {
    const int order = IirRowsInUse(state.IirOrder);
    const double* a = state.IirACoefficients.data();
    const double* b = state.IirBCoefficients.data();
    double* in = state.InputDelay.data();
    double* out = state.OutputDelay.data();

    const long double first = static_cast<long double>(b[0]) * x;
    double y = static_cast<double>(first);
    if (order == 2) {
        // One rounding at the end, no shift.
        y = static_cast<double>(first + static_cast<long double>(b[1]) * in[1] +
                                static_cast<long double>(a[1]) * out[1]);
    } else if (order >= 3) {
        for (int k = order - 1; k >= 1; --k) {
            y = static_cast<double>(y + static_cast<long double>(b[k]) * in[k]);
            y = static_cast<double>(y + static_cast<long double>(a[k]) * out[k]);
            in[k + 1] = in[k];
            out[k + 1] = out[k];
        }
    }
    in[1] = x;
    out[1] = y;
    return y;
}

} // namespace signova
