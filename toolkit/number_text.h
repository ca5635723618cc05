#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace signova {

// Text to number. Accepts optional spaces, an optional sign, digits with an
// optional "." and fraction (at least one digit in all), an optional exponent
// with optional sign and at least one digit, optional spaces, nothing else.
// Only the space counts as blank. Throws ConversionError for anything else and
// FloatOverflowError for a value too large for a double.
double StrToFloat(std::string_view text);

// Fixed formatting: the value's 18 significant digits rounded to `precision`
// significant digits but to no more than `decimals` digits after the point,
// halves rounding up in magnitude, written with exactly `decimals` decimals.
std::string FormatFixed(double value, int precision, int decimals);

// Doubles are rounded as doubles, not in wider registers: RoundHalfEven's
// addition of 2^52 relies on it.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must round to double");

// Throws InvalidOperationError: RoundHalfEven's failure.
[[noreturn]] void ThrowRoundingOutOfRange();

// Nearest integer, halves to the even neighbour. Throws InvalidOperationError
// when the result does not fit a signed 64-bit integer. Inline, and without a
// library call, because the run rounds twice for every sample.
inline std::int64_t RoundHalfEven(double value) {
    constexpr double Limit = 9223372036854775808.0;  // 2^63
    constexpr double WholeFrom = 4503599627370496.0; // 2^52: every double from here on is whole
    if (!(value >= -Limit && value < Limit))
        ThrowRoundingOutOfRange();
    const double magnitude = std::fabs(value);
    if (!(magnitude < WholeFrom))
        return static_cast<std::int64_t>(value);
    // Between 2^52 and 2^53 the doubles are the whole numbers: adding 2^52
    // rounds to the nearest one, ties to even, and taking it away is exact.
    const double rounded = (magnitude + WholeFrom) - WholeFrom;
    return static_cast<std::int64_t>(std::copysign(rounded, value));
}

} // namespace signova
