#pragma once

#include "toolkit/extended_arithmetic.h"

#include <string_view>

namespace signova {

// A decimal number text (optional sign, digits with an optional "." and
// fraction, an optional exponent "e"/"E" with optional sign; no spaces) rounded
// correctly, to nearest with ties to even, to the extended format: a 64-bit
// significand, subnormals below 2^-16382, infinity at and above 2^16384 as
// rounding reaches it. What the C library's strtold gives on x86-64, computed
// in integers so every platform gets it.
PortableExtended DecimalToExtended(std::string_view number);

} // namespace signova
