#include "scope/reference_trace.h"

namespace signova {
namespace {

constexpr Rgb ReferenceColor{160, 160, 160};

} // namespace

void ReferenceTrace::Hold(const DrawnSweep& sweep) {
    if (!sweep.present)
        return;
    kept_ = sweep;
    held_ = true;
}

double ReferenceTrace::Y(int n) const {
    return kept_.output[static_cast<std::size_t>(n)] * state_.DisplayGain + state_.OutputOffset;
}

void ReferenceTrace::Paint(const ChartLayout& layout, Canvas& canvas, int scale) {
    if (!held_)
        return;
    const AxisScale& across = layout.Axis(AxisPosition::Bottom);
    const AxisScale& up = layout.Axis(AxisPosition::Left);
    points_.clear();
    for (int n = 0; n <= kept_.lastSample; ++n)
        points_.push_back({across.ToPixel(X(n)), up.ToPixel(Y(n))});
    canvas.SetClip(layout.plot);
    if (points_.size() >= 2)
        canvas.Polyline(points_, ReferenceColor, scale);
    canvas.ClearClip();
}

} // namespace signova
