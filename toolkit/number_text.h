#pragma once

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

// Nearest integer, halves to the even neighbour. Throws InvalidOperationError
// when the result does not fit a signed 64-bit integer.
std::int64_t RoundHalfEven(double value);

} // namespace signova
