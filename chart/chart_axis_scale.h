#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace signova {

// An axis as painted: its value range, the pixels the ends of that range fall
// on, and the spacing of its grid lines and labels.
struct AxisScale {
    bool drawn = false;
    double minimum = 0.0;
    double maximum = 1.0;
    int startPixel = 0;        // pixel of `minimum`
    int endPixel = 0;          // pixel of `maximum`
    double step = 0.0;         // grid spacing in axis units; 0 draws no grid
    int decimals = 0;          // digits after the point in the labels
    double smallestStep = 0.0; // an automatic step is never finer than this

    // The pixel of a value: linear between the ends, rounded to a whole pixel,
    // kept within a range every drawing surface handles.
    int ToPixel(double value) const;
    // Pixels between the two ends.
    int Length() const {
        return endPixel > startPixel ? endPixel - startPixel : startPixel - endPixel;
    }

    // Grid lines fall on index * step for index in [FirstGridIndex, LastGridIndex].
    std::int64_t FirstGridIndex() const;
    std::int64_t LastGridIndex() const;
    double GridValue(std::int64_t index) const;

    friend bool operator==(const AxisScale&, const AxisScale&) = default;
};

// The smallest of 1, 2 and 5 times a power of ten that is at least `raw`.
double NiceStep(double raw);

// Digits after the point needed to write multiples of `step` exactly
// (at most 12).
int DecimalsFor(double step);

using LabelBuffer = std::array<char, 48>;

// `value` in fixed notation with `decimals` digits, "." as separator, never
// "-0"; the text lives in `buffer`.
std::string_view FormatAxisLabel(double value, int decimals, LabelBuffer& buffer);

} // namespace signova
