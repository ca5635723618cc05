#pragma once

#include "toolkit/colors.h"

#include <span>
#include <string_view>

namespace signova {

struct CanvasPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

// The pixels from (left, top) to (left + width - 1, top + height - 1).
struct CanvasRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width - 1; }
    int Bottom() const { return top + height - 1; }
    friend bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

enum class TextAlign { Left, Center, Right };

// How much room text takes on a drawing surface.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int TextWidth(std::string_view text) const = 0;
    // The height of one line of text.
    virtual int TextHeight() const = 0;
};

// A drawing surface in whole pixels, x to the right and y downwards.
// Everything the chart draws goes through these calls.
class Canvas : public TextMetrics {
public:
    // Fills exactly the pixels of each rectangle.
    virtual void FillRects(std::span<const CanvasRect> rects, Rgb color) = 0;
    // Draws the outermost pixels of each rectangle, 1 pixel wide.
    virtual void FrameRects(std::span<const CanvasRect> rects, Rgb color) = 0;
    // A line through the points in order, including both end pixels.
    virtual void Polyline(std::span<const CanvasPoint> points, Rgb color, int width) = 0;
    // One line of text; x is its left edge, centre or right edge by `align`,
    // top the top of the line. Text is UTF-8.
    virtual void Text(int x, int top, std::string_view text, Rgb color, TextAlign align) = 0;
    // Limits drawing to the rectangle until ClearClip.
    virtual void SetClip(const CanvasRect& rect) = 0;
    virtual void ClearClip() = 0;
    // Text, and what TextWidth and TextHeight say of it, at 1/divisor of the
    // surface's own size from here on; 1 sets it back.
    virtual void ShrinkText(int divisor) = 0;

    void FillRect(const CanvasRect& rect, Rgb color) { FillRects(std::span(&rect, 1), color); }
};

} // namespace signova
