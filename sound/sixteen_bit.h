#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>

namespace signova {

// A converter code as a 16-bit sample: the code shifted up by 16 minus the
// converter's bits (`code << (16 - bits)`), so that 8, 10 and 12 bits fill the
// same range and sound equally loud. The converter's bits follow from its
// largest code (127, 511, 2047). A code beyond the 16-bit range (left from
// before a change of the bits) is held at its end.
inline std::int16_t SixteenBitSample(double code, std::int32_t maxCode) {
    const int shift = 15 - std::bit_width(static_cast<std::uint32_t>(std::max(maxCode, 1)));
    const double scaled = code * static_cast<double>(std::int32_t{1} << std::max(shift, 0));
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

} // namespace signova
