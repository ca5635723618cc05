#include "analysis/table_read.h"

#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "toolkit/errors.h"
#include "toolkit/number_text.h"

namespace signova {

TableRead ReadFirTable(const CellStore& firGrid) {
    TableRead read;
    std::vector<double>& h = read.coefficients.b;
    for (int row = 0; row < FirCoefficientCount; ++row) {
        const std::string& text = firGrid.Cell(FirValueColumn, row);
        if (text.empty())
            break;
        try {
            h.push_back(StrToFloat(text));
        } catch (const SignovaError& error) {
            read.errors.push_back(error.Text());
            break;
        }
    }
    return read;
}

TableRead ReadIirTable(const CellStore& iirGrid, std::int32_t iirOrder) {
    const auto rows = static_cast<std::size_t>(IirRowsInUse(iirOrder));
    TableRead read;
    std::vector<double>& a = read.coefficients.a;
    std::vector<double>& b = read.coefficients.b;
    a.assign(rows, 0.0);
    b.assign(rows, 0.0);
    try {
        try {
            b[0] = StrToFloat(iirGrid.Cell(IirBColumn, 1));
        } catch (const ConversionError&) {
            read.errors.push_back(BadIirRowText(0));
        }
        for (std::size_t k = 1; k < rows; ++k) {
            const int row = static_cast<int>(k) + 1;
            try {
                a[k] = StrToFloat(iirGrid.Cell(IirAColumn, row));
                b[k] = StrToFloat(iirGrid.Cell(IirBColumn, row));
            } catch (const ConversionError&) {
                read.errors.push_back(BadIirRowText(static_cast<int>(k)));
            }
        }
    } catch (const FloatOverflowError& error) {
        read.errors.push_back(error.Text());
    }
    return read;
}

} // namespace signova
