#include "chart/chart_series_pointer.h"

#include "chart/chart.h"
#include "toolkit/errors.h"

namespace signova {

TSeriesPointer::TSeriesPointer(TChart& chart)
    : chart_(chart), pen_(chart, ChartChange::Series, clBlack) {}

void TSeriesPointer::Changed() {
    chart_.Changed(ChartChange::Series);
}

void TSeriesPointer::SetVisible(bool visible) {
    visible_ = visible;
    Changed();
}

void TSeriesPointer::SetHorizSize(int size) {
    if (size < 1)
        throw PointerSizeError();
    if (size == horizSize_)
        return;
    horizSize_ = size;
    Changed();
}

void TSeriesPointer::SetVertSize(int size) {
    if (size < 1)
        throw PointerSizeError();
    if (size == vertSize_)
        return;
    vertSize_ = size;
    Changed();
}

void TSeriesPointer::SetFillColor(TColor color) {
    fillColor_ = color;
    Changed();
}

void TSeriesPointer::SetInflateMargins(bool on) {
    inflateMargins_ = on;
    Changed();
}

} // namespace signova
