#include "toolkit/float_chars.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>
#include <system_error>

namespace signova {
namespace {

// printf and strtod in the "C" locale for the current thread while it lives:
// the window's locale may write a decimal comma.
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    static locale_t CLocale() {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        return c;
    }
    locale_t previous_;
};

std::to_chars_result Copy(char* first, char* last, const std::string& text) {
    if (static_cast<std::size_t>(last - first) < text.size())
        return {last, std::errc::value_too_large};
    return {std::copy(text.begin(), text.end(), first), std::errc{}};
}

std::string Printed(const char* format, int precision, double value) {
    const int length = std::snprintf(nullptr, 0, format, precision, value);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, precision, value);
    text.pop_back();
    return text;
}

// The fewest significant digits that read back as `value` (finite, not
// zero), each count tried in turn: %e with that many digits is the nearest
// text of that length, so the first that reads back is the shortest and, of
// the shortest, the nearest.
std::string Shortest(double value) {
    const double magnitude = std::fabs(value);
    std::string scientific;
    for (int digits = 1; digits <= 17; ++digits) {
        scientific = Printed("%.*e", digits - 1, magnitude);
        if (std::strtod(scientific.c_str(), nullptr) == magnitude)
            break;
    }
    // d[.ddd]e±XX: the digits and the power of ten of the first.
    const std::size_t e = scientific.find('e');
    std::string digits = scientific.substr(0, e);
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    const int count = static_cast<int>(digits.size());

    std::string fixed;
    if (exponent >= count - 1) {
        // A whole number: its exact digits, as %.0f writes them.
        fixed = Printed("%.*f", 0, magnitude);
    } else if (exponent >= 0) {
        fixed = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + '.' +
                digits.substr(static_cast<std::size_t>(exponent + 1));
    } else {
        fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const std::string& shorter = fixed.size() <= scientific.size() ? fixed : scientific;
    return std::signbit(value) ? '-' + shorter : shorter;
}

} // namespace

std::to_chars_result PrintfDoubleToChars(char* first, char* last, double value) {
    const CLocaleScope c;
    if (value == 0.0 || !std::isfinite(value))
        return Copy(first, last, Printed("%.*g", 1, value));
    return Copy(first, last, Shortest(value));
}

std::to_chars_result PrintfDoubleToChars(char* first, char* last, double value,
                                         std::chars_format format, int precision) {
    const CLocaleScope c;
    const char* conversion = format == std::chars_format::fixed ? "%.*f" : "%.*e";
    return Copy(first, last, Printed(conversion, precision, value));
}

#if defined(__cpp_lib_to_chars)

std::to_chars_result DoubleToChars(char* first, char* last, double value) {
    return std::to_chars(first, last, value);
}

std::to_chars_result DoubleToChars(char* first, char* last, double value, std::chars_format format,
                                   int precision) {
    return std::to_chars(first, last, value, format, precision);
}

#else

std::to_chars_result DoubleToChars(char* first, char* last, double value) {
    return PrintfDoubleToChars(first, last, value);
}

std::to_chars_result DoubleToChars(char* first, char* last, double value, std::chars_format format,
                                   int precision) {
    return PrintfDoubleToChars(first, last, value, format, precision);
}

#endif

} // namespace signova
