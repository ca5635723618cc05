#include "design/coefficient_text.h"

#include "toolkit/number_text.h"

#include <cstdio>

namespace signova {
namespace {

std::string WithDigits(double value, int digits) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

} // namespace

std::string ShortestFloatText(float value) {
    for (int digits = 1; digits < 9; ++digits) {
        std::string text = WithDigits(value, digits);
        if (static_cast<float>(StrToFloat(text)) == value)
            return text;
    }
    return WithDigits(value, 9);
}

std::string ShortestDoubleText(double value) {
    for (int digits = 1; digits < 17; ++digits) {
        std::string text = WithDigits(value, digits);
        if (StrToFloat(text) == value)
            return text;
    }
    return WithDigits(value, 17);
}

} // namespace signova
