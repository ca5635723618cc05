#pragma once

#include "toolkit/colors.h"

#include <QColor>

// A toolkit colour as a Qt colour.
inline QColor ToQColor(signova::TColor color) {
    const signova::Rgb rgb = signova::ColorToRgb(color);
    return QColor(rgb.red, rgb.green, rgb.blue);
}
