#include "scope/scope_geometry.h"

#include "toolkit/number_text.h"

#include <algorithm>

namespace signova {

std::int32_t MarkerHalfWidth(int chartWidth, int timebaseFactor) {
    const std::int64_t span = static_cast<std::int64_t>(chartWidth) * timebaseFactor;
    const std::int64_t size = RoundHalfEven(static_cast<double>(span) / 400);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(size, 1, INT32_MAX));
}

std::int32_t CappedChartHeight(int width, int height) {
    const double limit = 0.8 * width;
    if (height > limit)
        return static_cast<std::int32_t>(RoundHalfEven(limit));
    return height;
}

} // namespace signova
