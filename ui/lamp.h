#pragma once

#include <QWidget>

#include <cstdint>

// A round indicator lamp filled with a toolkit colour: a circle, however
// wide and high the control is.
class Lamp : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(QWidget* parent = nullptr);

    std::uint32_t Color() const { return color_; }
    // Repaints only when the colour really changes: the run loop sets the
    // lamps for every sample.
    void SetColor(std::uint32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t color_;
};
