#include "ui/lamp.h"

#include "ui/toolkit_color.h"

#include <QPainter>

#include <algorithm>

Lamp::Lamp(QWidget* parent) : QWidget(parent), color_(signova::clBtnFace) {}

void Lamp::SetColor(std::uint32_t color) {
    if (color == color_)
        return;
    color_ = color;
    update();
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ToQColor(color_));
    // A circle as wide as the smaller side, centred in the control.
    const int diameter = std::min(width(), height());
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(QRectF(rect()).center());
    painter.drawEllipse(circle.adjusted(0.5, 0.5, -0.5, -0.5));
}
