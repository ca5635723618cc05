#include "ui/lamp.h"

#include "ui/toolkit_color.h"

#include <QPainter>

#include <algorithm>

Lamp::Lamp(QWidget* parent) : QWidget(parent), color_(signova::clBtnFace) {
    repaintTimer_.setSingleShot(true);
    repaintTimer_.setTimerType(Qt::PreciseTimer);
    connect(&repaintTimer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void Lamp::SetColor(std::uint32_t color) {
    if (color == color_)
        return;
    color_ = color;
    ScheduleRepaint();
}

void Lamp::ScheduleRepaint() {
    if (repaintTimer_.isActive())
        return;
    const std::chrono::milliseconds wait = repaintPacing_.WaitBeforeRepaint();
    if (wait.count() == 0)
        update();
    else
        repaintTimer_.start(wait);
}

void Lamp::paintEvent(QPaintEvent*) {
    repaintPacing_.Painted();
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
