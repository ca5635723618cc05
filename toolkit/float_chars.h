#pragma once

// Doubles to text as std::to_chars writes them. Emscripten 3.1.6's libc++ has
// only the integer overloads; there the C library's printf and strtod, in the
// "C" locale, give the same characters.

#include <charconv>

namespace signova {

// The shortest text that reads back as `value`: fixed or scientific, whichever
// is shorter, fixed on a tie.
std::to_chars_result DoubleToChars(char* first, char* last, double value);

// `precision` digits after the point, fixed (%f) or scientific (%e).
std::to_chars_result DoubleToChars(char* first, char* last, double value, std::chars_format format,
                                   int precision);

// The printf path on every platform, so that it can be compared with the
// standard library's where that has the floating-point overloads.
std::to_chars_result PrintfDoubleToChars(char* first, char* last, double value);
std::to_chars_result PrintfDoubleToChars(char* first, char* last, double value,
                                         std::chars_format format, int precision);

} // namespace signova
