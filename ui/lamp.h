#pragma once

#include "toolkit/repaint_pacing.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>

// A round indicator lamp filled with a toolkit colour: a circle, however
// wide and high the control is.
class Lamp : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(QWidget* parent = nullptr);

    std::uint32_t Color() const { return color_; }
    // The run loop sets the lamps for every sample and a lamp may change
    // colour thousands of times a second: it repaints only when the colour
    // really changes, and at most once per frame, always in its latest colour.
    void SetColor(std::uint32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ScheduleRepaint();

    std::uint32_t color_;
    signova::RepaintPacing repaintPacing_;
    QTimer repaintTimer_;
};
