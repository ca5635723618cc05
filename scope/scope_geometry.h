#pragma once

#include <cstdint>

// Pixel sizes of the oscilloscope chart that follow from its width.
namespace signova {

// Half-width in pixels of a sample marker: the 400 horizontal units span about
// `chartWidth` pixels, so a marker reaching `timebaseFactor` units to each side
// of its centre is chartWidth * timebaseFactor / 400 pixels, rounded halves to
// even. Never below 1, the smallest size a pointer accepts.
std::int32_t MarkerHalfWidth(int chartWidth, int timebaseFactor);

// The height the chart may have at `width`: 0.8 * width rounded halves to even
// when `height` is greater than that, else `height` unchanged (a low chart is
// never made taller).
std::int32_t CappedChartHeight(int width, int height);

} // namespace signova
