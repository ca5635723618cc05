#include "ui/painter_canvas.h"

#include <algorithm>

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QString>

namespace {

QColor ToQt(signova::Rgb color) {
    return QColor(color.red, color.green, color.blue);
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect ToQt(const signova::CanvasRect& rect) {
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

} // namespace

int FontTextMetrics::TextWidth(std::string_view text) const {
    return metrics_.horizontalAdvance(FromUtf8(text));
}

int PainterCanvas::TextWidth(std::string_view text) const {
    return painter_->fontMetrics().horizontalAdvance(FromUtf8(text));
}

int PainterCanvas::TextHeight() const {
    return painter_->fontMetrics().height();
}

void PainterCanvas::FillRects(std::span<const signova::CanvasRect> rects, signova::Rgb color) {
    const QColor fill = ToQt(color);
    if (rects.size() == 1) {
        painter_->fillRect(ToQt(rects[0]), fill);
        return;
    }
    rects_.clear();
    for (const signova::CanvasRect& rect : rects)
        rects_.push_back(ToQt(rect));
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(fill);
    // Without a pen a rectangle covers exactly its width x height pixels.
    painter_->drawRects(rects_.data(), static_cast<int>(rects_.size()));
}

void PainterCanvas::FrameRects(std::span<const signova::CanvasRect> rects, signova::Rgb color) {
    rects_.clear();
    // A 1 pixel pen draws a QRect one pixel wider and higher than it is.
    for (const signova::CanvasRect& rect : rects)
        rects_.push_back(QRect(rect.left, rect.top, rect.width - 1, rect.height - 1));
    painter_->setPen(QPen(ToQt(color), 1));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRects(rects_.data(), static_cast<int>(rects_.size()));
}

void PainterCanvas::Polyline(std::span<const signova::CanvasPoint> points, signova::Rgb color,
                             int width) {
    points_.clear();
    for (const signova::CanvasPoint& point : points)
        points_.emplace_back(point.x, point.y);
    QPen pen(ToQt(color), width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawPolyline(points_.data(), static_cast<int>(points_.size()));
}

void PainterCanvas::Text(int x, int top, std::string_view text, signova::Rgb color,
                         signova::TextAlign align) {
    const QString shown = FromUtf8(text);
    const QFontMetrics metrics = painter_->fontMetrics();
    const int width = metrics.horizontalAdvance(shown);
    int left = x;
    if (align == signova::TextAlign::Center)
        left = x - width / 2;
    else if (align == signova::TextAlign::Right)
        left = x - width;
    painter_->setPen(ToQt(color));
    painter_->drawText(QPoint(left, top + metrics.ascent()), shown);
}

void PainterCanvas::SetClip(const signova::CanvasRect& rect) {
    painter_->setClipRect(ToQt(rect));
}

void PainterCanvas::ClearClip() {
    painter_->setClipping(false);
}

void PainterCanvas::ShrinkText(int divisor) {
    divisor = std::max(1, divisor);
    if (divisor == textDivisor_)
        return;
    if (textDivisor_ == 1)
        ownFont_ = painter_->font();
    textDivisor_ = divisor;
    QFont font = ownFont_;
    if (divisor > 1) {
        if (font.pixelSize() > 0)
            font.setPixelSize(std::max(1, font.pixelSize() / divisor));
        else
            font.setPointSizeF(font.pointSizeF() / divisor);
    }
    painter_->setFont(font);
}
