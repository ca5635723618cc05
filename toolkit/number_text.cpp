#include "toolkit/number_text.h"

#include "toolkit/decimal_extended.h"
#include "toolkit/errors.h"
#include "toolkit/extended_arithmetic.h"
#include "toolkit/float_chars.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace signova {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The part of `text` that holds the number, without the surrounding spaces,
// or an empty view when the text does not follow the grammar.
std::string_view ValidatedNumber(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < end && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < end && text[i] == '.') {
        ++i;
        while (i < end && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return {};
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < end && IsDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return {};
    }
    if (i != end)
        return {};
    return text.substr(begin, end - begin);
}

#if defined(SIGNOVA_X87_EXTENDED)
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

// The C library's conversion is the correctly rounded one, and fast.
Extended TextToExtended(std::string_view number) {
    const std::string copy(number);
    return strtold_l(copy.c_str(), nullptr, CLocale());
}
#else
Extended TextToExtended(std::string_view number) {
    return DecimalToExtended(number);
}
#endif

} // namespace

double StrToFloat(std::string_view text) {
    const std::string_view number = ValidatedNumber(text);
    if (number.empty())
        throw ConversionError(text);
    // The text becomes an extended value first and is then stored as a double:
    // beyond the extended range the text is refused, beyond the double range
    // the store overflows.
    const Extended extended = TextToExtended(number);
    if (IsInfinite(extended))
        throw ConversionError(text);
    const double stored = ToDouble(extended);
    if (std::isinf(stored))
        throw FloatOverflowError();
    return stored;
}

std::string FormatFixed(double value, int precision, int decimals) {
    constexpr int significant = 18;
    char buffer[64];
    // Locale-independent: d.ddddddddddddddddde+XX
    const std::to_chars_result written =
        DoubleToChars(buffer, buffer + sizeof buffer - 1, std::fabs(value),
                      std::chars_format::scientific, significant - 1);
    *written.ptr = '\0';
    std::string digits;
    digits += buffer[0];
    digits.append(buffer + 2, significant - 1);
    int exponent = std::atoi(buffer + significant + 2);
    const bool negative = std::signbit(value);
    if (value == 0.0)
        digits.assign(significant, '0');

    // Keep `keep` leading digits, rounding on the next one.
    int keep = std::min(precision, exponent + 1 + decimals);
    if (keep < 0) {
        digits.clear();
    } else {
        const bool roundUp = keep < significant && digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (roundUp) {
            int i = keep - 1;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
                digits[static_cast<std::size_t>(i--)] = '0';
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
    }
    if (digits.find_first_not_of('0') == std::string::npos)
        digits.clear();

    // digits[0] has the weight 10^exponent.
    std::string text;
    if (negative && !digits.empty())
        text += '-';
    auto digitAt = [&](int weight) {
        const int index = exponent - weight;
        if (digits.empty() || index < 0 || index >= static_cast<int>(digits.size()))
            return '0';
        return digits[static_cast<std::size_t>(index)];
    };
    const int highest = digits.empty() ? 0 : std::max(exponent, 0);
    for (int weight = highest; weight >= 0; --weight)
        text += digitAt(weight);
    if (decimals > 0) {
        text += '.';
        for (int weight = -1; weight >= -decimals; --weight)
            text += digitAt(weight);
    }
    return text;
}

void ThrowRoundingOutOfRange() {
    throw InvalidOperationError();
}

} // namespace signova
