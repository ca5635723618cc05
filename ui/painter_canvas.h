#pragma once

#include "chart/canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRect>

#include <vector>

class QPainter;

// Text metrics of a Qt font, for laying a chart out before painting it.
class FontTextMetrics : public signova::TextMetrics {
public:
    explicit FontTextMetrics(const QFont& font) : metrics_(font) {}
    int TextWidth(std::string_view text) const override;
    int TextHeight() const override { return metrics_.height(); }

private:
    QFontMetrics metrics_;
};

// The chart's drawing surface on a QPainter, pixel for pixel: rectangles are
// filled and framed on exactly their pixels and a polyline covers both end
// pixels. Each call is one QPainter call, from point and rectangle buffers kept
// between paints. Attach a painter before drawing.
class PainterCanvas : public signova::Canvas {
public:
    void Attach(QPainter* painter) {
        painter_ = painter;
        textDivisor_ = 1;
    }

    int TextWidth(std::string_view text) const override;
    int TextHeight() const override;
    void FillRects(std::span<const signova::CanvasRect> rects, signova::Rgb color) override;
    void FrameRects(std::span<const signova::CanvasRect> rects, signova::Rgb color) override;
    void Polyline(std::span<const signova::CanvasPoint> points, signova::Rgb color,
                  int width) override;
    void Text(int x, int top, std::string_view text, signova::Rgb color,
              signova::TextAlign align) override;
    void SetClip(const signova::CanvasRect& rect) override;
    void ClearClip() override;
    void ShrinkText(int divisor) override;

private:
    QPainter* painter_ = nullptr;
    // The painter's font when ShrinkText first left size 1.
    QFont ownFont_;
    int textDivisor_ = 1;
    std::vector<QPoint> points_;
    std::vector<QRect> rects_;
};
