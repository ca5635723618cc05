#pragma once

#include "chart/canvas.h"

#include <string>
#include <vector>

namespace signova::testing {

// A canvas that records every call, with fixed text metrics: 6 pixels a byte,
// 12 pixels a line, times `textScale` (a chart's text under Large traces),
// divided by what ShrinkText last asked.
class RecordingCanvas : public Canvas {
public:
    enum class Kind { Fill, Frame, Polyline, Text, SetClip, ClearClip };

    struct Call {
        Kind kind;
        Rgb color;
        std::vector<CanvasRect> rects;   // Fill, Frame; SetClip's rectangle
        std::vector<CanvasPoint> points; // Polyline
        int width = 0;                   // Polyline
        std::string text;                // Text
        int x = 0;
        int top = 0;
        TextAlign align = TextAlign::Left;
    };

    static constexpr int CharWidth = 6;
    static constexpr int LineHeight = 12;

    int TextWidth(std::string_view text) const override {
        return static_cast<int>(text.size()) * CharWidth * textScale / textDivisor;
    }
    int TextHeight() const override { return LineHeight * textScale / textDivisor; }
    void ShrinkText(int divisor) override { textDivisor = divisor; }

    void FillRects(std::span<const CanvasRect> rects, Rgb color) override {
        calls.push_back({Kind::Fill, color, {rects.begin(), rects.end()}, {}, 0, {}, 0, 0, {}});
    }
    void FrameRects(std::span<const CanvasRect> rects, Rgb color) override {
        calls.push_back({Kind::Frame, color, {rects.begin(), rects.end()}, {}, 0, {}, 0, 0, {}});
    }
    void Polyline(std::span<const CanvasPoint> points, Rgb color, int width) override {
        calls.push_back(
            {Kind::Polyline, color, {}, {points.begin(), points.end()}, width, {}, 0, 0, {}});
    }
    void Text(int x, int top, std::string_view text, Rgb color, TextAlign align) override {
        calls.push_back({Kind::Text, color, {}, {}, 0, std::string(text), x, top, align});
    }
    void SetClip(const CanvasRect& rect) override {
        calls.push_back({Kind::SetClip, {}, {rect}, {}, 0, {}, 0, 0, {}});
    }
    void ClearClip() override { calls.push_back({Kind::ClearClip, {}, {}, {}, 0, {}, 0, 0, {}}); }

    std::vector<const Call*> Of(Kind kind) const {
        std::vector<const Call*> found;
        for (const Call& call : calls) {
            if (call.kind == kind)
                found.push_back(&call);
        }
        return found;
    }

    std::vector<Call> calls;
    int textScale = 1;
    int textDivisor = 1;
};

// Does nothing and never allocates; for counting the painter's own allocations.
class NullCanvas : public Canvas {
public:
    int TextWidth(std::string_view text) const override {
        return static_cast<int>(text.size()) * 6;
    }
    int TextHeight() const override { return 12; }
    void FillRects(std::span<const CanvasRect>, Rgb) override {}
    void FrameRects(std::span<const CanvasRect>, Rgb) override {}
    void Polyline(std::span<const CanvasPoint>, Rgb, int) override {}
    void Text(int, int, std::string_view, Rgb, TextAlign) override {}
    void SetClip(const CanvasRect&) override {}
    void ClearClip() override {}
    void ShrinkText(int) override {}
};

} // namespace signova::testing
