#include "toolkit/repaint_pacing.h"

#include <utility>

namespace signova {

RepaintPacing::RepaintPacing() : RepaintPacing([] { return std::chrono::steady_clock::now(); }) {}

RepaintPacing::RepaintPacing(Clock clock) : clock_(std::move(clock)) {}

std::chrono::milliseconds RepaintPacing::WaitBeforeRepaint() const {
    if (!lastPaint_)
        return std::chrono::milliseconds(0);
    const auto sincePaint = clock_() - *lastPaint_;
    if (sincePaint >= FrameInterval)
        return std::chrono::milliseconds(0);
    // Rounded up, so that the next paint comes no sooner than one interval on.
    return std::chrono::ceil<std::chrono::milliseconds>(FrameInterval - sincePaint);
}

} // namespace signova
