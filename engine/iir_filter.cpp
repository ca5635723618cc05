#include "engine/iir_filter.h"

#include "toolkit/errors.h"
#include "toolkit/extended_arithmetic.h"
#include "toolkit/number_text.h"

#include <algorithm>
#include <string>

namespace signova {

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

    const Extended first = ToExtended(b[0]) * ToExtended(x);
    double y = ToDouble(first);
    if (order == 2) {
        // One rounding at the end, no shift.
        y = ToDouble(first + ToExtended(b[1]) * ToExtended(in[1]) +
                     ToExtended(a[1]) * ToExtended(out[1]));
    } else if (order >= 3) {
        for (int k = order - 1; k >= 1; --k) {
            y = AddProduct(y, b[k], in[k]);
            y = AddProduct(y, a[k], out[k]);
            in[k + 1] = in[k];
            out[k + 1] = out[k];
        }
    }
    in[1] = x;
    out[1] = y;
    return y;
}

} // namespace signova
