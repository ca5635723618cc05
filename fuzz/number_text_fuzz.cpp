// libFuzzer target: text to number. A recogniser of its own, written from the
// grammar, decides which texts are numbers; the conversion must accept exactly
// those, give the correctly rounded double (or its neighbour: the text becomes
// an extended value first), "Floating point overflow" beyond the double range
// and the conversion error beyond the extended range.

#include "fuzz/fuzz_support.h"
#include "toolkit/errors.h"
#include "toolkit/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace signova::fuzz {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The grammar as a state machine: spaces, sign, digits with an optional point
// and fraction (at least one digit), exponent mark, sign, digits, spaces.
bool IsNumberText(std::string_view text) {
    enum State { Lead, Signed, Whole, BarePoint, Fraction, Mark, MarkSign, Exponent, Trail };
    State state = Lead;
    for (const char c : text) {
        const bool digit = IsDigit(c);
        const bool sign = c == '+' || c == '-';
        const bool mark = c == 'e' || c == 'E';
        switch (state) {
        case Lead:
            if (c == ' ')
                break;
            if (!sign && !digit && c != '.')
                return false;
            state = sign ? Signed : digit ? Whole : BarePoint;
            break;
        case Signed:
            if (!digit && c != '.')
                return false;
            state = digit ? Whole : BarePoint;
            break;
        case Whole:
            if (!digit && c != '.' && !mark && c != ' ')
                return false;
            state = digit ? Whole : c == '.' ? Fraction : mark ? Mark : Trail;
            break;
        case BarePoint:
            if (!digit)
                return false;
            state = Fraction;
            break;
        case Fraction:
            if (!digit && !mark && c != ' ')
                return false;
            state = digit ? Fraction : mark ? Mark : Trail;
            break;
        case Mark:
            if (!digit && !sign)
                return false;
            state = digit ? Exponent : MarkSign;
            break;
        case MarkSign:
            if (!digit)
                return false;
            state = Exponent;
            break;
        case Exponent:
            if (!digit && c != ' ')
                return false;
            state = digit ? Exponent : Trail;
            break;
        case Trail:
            if (c != ' ')
                return false;
            break;
        }
    }
    return state == Whole || state == Fraction || state == Exponent || state == Trail;
}

// For a number text: the power of ten of its leading digit (the value lies in
// [10^p, 10^(p+1))), or nothing for a zero. Exponents are saturated far
// beyond any range that matters.
std::optional<long long> DecimalMagnitude(std::string_view text) {
    constexpr long long Saturation = 1'000'000'000;
    long long wholeDigits = 0;
    long long firstNonZero = -1; // index among all mantissa digits
    long long digitIndex = 0;
    bool inFraction = false;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            inFraction = true;
        } else if (IsDigit(c)) {
            if (firstNonZero < 0 && c != '0')
                firstNonZero = digitIndex;
            ++digitIndex;
            if (!inFraction)
                ++wholeDigits;
        } else if (c == 'e' || c == 'E') {
            break;
        }
    }
    long long exponent = 0;
    bool negative = false;
    for (++i; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '-')
            negative = true;
        else if (IsDigit(c) && exponent < Saturation)
            exponent = exponent * 10 + (c - '0');
    }
    if (firstNonZero < 0)
        return std::nullopt;
    return wholeDigits - 1 - firstNonZero + (negative ? -exponent : exponent);
}

// The double nearest to the number text, read by the C library.
double NearestDouble(std::string_view text) {
    const std::string copy(text);
    return std::strtod(copy.c_str(), nullptr);
}

enum class Outcome { Value, Overflow, ConversionFailure };

} // namespace
} // namespace signova::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace signova;
    using namespace signova::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    Outcome outcome = Outcome::Value;
    double value = 0;
    try {
        value = StrToFloat(text);
    } catch (const FloatOverflowError& error) {
        Check(error.Text() == "Floating point overflow", "overflow text");
        outcome = Outcome::Overflow;
    } catch (const ConversionError& error) {
        Check(error.Text() == "'" + std::string(text) + "' is not a valid floating point value",
              "conversion error text");
        outcome = Outcome::ConversionFailure;
    }

    if (!IsNumberText(text)) {
        Check(outcome == Outcome::ConversionFailure, "a text outside the grammar is refused");
        return 0;
    }
    const std::optional<long long> magnitude = DecimalMagnitude(text);
    // The double range ends at 1.8e308, the extended one at 1.19e4932.
    const long long p = magnitude.value_or(0);
    if (p <= 307)
        Check(outcome == Outcome::Value, "a number within the double range is converted");
    else if (p == 308)
        Check(outcome != Outcome::ConversionFailure, "1e308 to 1e309 is a double or overflows");
    else if (p <= 4931)
        Check(outcome == Outcome::Overflow, "beyond the double range: overflow");
    else if (p == 4932)
        Check(outcome != Outcome::Value, "1e4932 to 1e4933 overflows or is refused");
    else
        Check(outcome == Outcome::ConversionFailure, "beyond the extended range: refused");

    if (outcome == Outcome::Value) {
        Check(std::isfinite(value), "a converted number is finite");
        const double nearest = NearestDouble(text);
        Check(value == nearest || std::nextafter(nearest, value) == value,
              "the nearest double or its neighbour");
        Check(std::signbit(value) == std::signbit(nearest), "the sign is kept");
    }
    return 0;
}
