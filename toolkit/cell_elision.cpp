#include "toolkit/cell_elision.h"

#include "toolkit/errors.h"
#include "toolkit/number_text.h"
#include "toolkit/shown_text.h"

#include <algorithm>

namespace signova {
namespace {

constexpr std::string_view Ellipsis = "\xE2\x80\xA6"; // U+2026 in UTF-8

bool IsNumber(std::string_view text) {
    try {
        StrToFloat(text);
    } catch (const FloatOverflowError&) {
        // The grammar holds; only the value is beyond a double.
    } catch (const ConversionError&) {
        return false;
    }
    return true;
}

std::string Elided(std::string_view mantissa, std::size_t kept, std::string_view exponent) {
    std::string elided(mantissa.substr(0, kept));
    elided += Ellipsis;
    elided += exponent;
    return elided;
}

} // namespace

std::optional<std::string> ElidedCellText(std::string_view text, const TextWidth& width,
                                          int available) {
    const std::size_t exponentStart = text.find_first_of("eE");
    if (exponentStart == std::string_view::npos)
        return std::nullopt;
    // Spaces after the number may be cut without harm.
    const std::string_view number = text.substr(0, text.find_last_not_of(' ') + 1);
    // No column holds more than MaxShownCellLength characters: a longer text
    // is never laid out whole.
    if (number.size() <= MaxShownCellLength && width(number) <= available)
        return std::nullopt;
    if (!IsNumber(text))
        return std::nullopt;
    const std::string_view mantissa = number.substr(0, exponentStart);
    const std::string_view exponent = number.substr(exponentStart);
    const std::size_t firstDigit = mantissa.find_first_of("0123456789");
    const std::size_t shortest = firstDigit + 1;
    if (shortest >= mantissa.size())
        return std::nullopt;
    // Widths grow with the kept part: take more of the mantissa while the
    // result still fits, short texts first, so a long mantissa costs no more
    // than the column holds.
    const std::size_t longest = std::min(mantissa.size() - 1, MaxShownCellLength);
    std::size_t kept = shortest;
    while (kept < longest && width(Elided(mantissa, kept + 1, exponent)) <= available)
        ++kept;
    // "6…e-06" rather than "6.…e-06": a point with no digit after it says nothing.
    if (mantissa[kept - 1] == '.')
        --kept;
    return Elided(mantissa, kept, exponent);
}

} // namespace signova
