#include "toolkit/decimal_extended.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace signova {
namespace {

// Every halfway point between two neighbouring extended values has fewer
// significant decimal digits than this (the longest, near 2^-16445, about
// 11,500); digits beyond it only say "a little more".
constexpr std::size_t KeptDigits = 12000;
// Beyond these the value is infinite or zero whatever the digits.
constexpr long LargestDecimalExponent = 4933;  // 10^4933 > the largest extended
constexpr long SmallestDecimalExponent = -4952; // 10^-4952 < half the smallest

// An unsigned integer in 32-bit limbs, lowest first, no leading zero limbs.
using Big = std::vector<std::uint32_t>;

void MultiplyAdd(Big& n, std::uint32_t factor, std::uint32_t add) {
    std::uint64_t carry = add;
    for (std::uint32_t& limb : n) {
        const std::uint64_t product = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0)
        n.push_back(static_cast<std::uint32_t>(carry));
}

void MultiplyByPowerOfTen(Big& n, long exponent) {
    for (; exponent >= 9; exponent -= 9)
        MultiplyAdd(n, 1'000'000'000U, 0);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent)
        rest *= 10;
    MultiplyAdd(n, rest, 0);
}

long BitLength(const Big& n) {
    if (n.empty())
        return 0;
    long length = 32 * static_cast<long>(n.size() - 1);
    for (std::uint32_t top = n.back(); top != 0; top >>= 1)
        ++length;
    return length;
}

void ShiftLeft(Big& n, long bits) {
    if (n.empty() || bits == 0)
        return;
    const auto limbs = static_cast<std::size_t>(bits / 32);
    const int shift = static_cast<int>(bits % 32);
    if (shift != 0) {
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : n) {
            const std::uint32_t next = limb >> (32 - shift);
            limb = (limb << shift) | carry;
            carry = next;
        }
        if (carry != 0)
            n.push_back(carry);
    }
    n.insert(n.begin(), limbs, 0U);
}

bool NotLess(const Big& a, const Big& b) {
    if (a.size() != b.size())
        return a.size() > b.size();
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i])
            return a[i] > b[i];
    return true;
}

// a -= b, for a >= b.
void Subtract(Big& a, const Big& b) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t d = std::int64_t{a[i]} - borrow - (i < b.size() ? std::int64_t{b[i]} : 0);
        borrow = d < 0 ? 1 : 0;
        a[i] = static_cast<std::uint32_t>(d + (borrow << 32));
    }
    while (!a.empty() && a.back() == 0)
        a.pop_back();
}

} // namespace

PortableExtended DecimalToExtended(std::string_view number) {
    std::size_t i = 0;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '-' || number[i] == '+'))
        ++i;
    std::string digits;
    bool dropped = false; // a non-zero digit beyond KeptDigits
    long decimalExponent = 0;
    bool fraction = false;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        const char c = number[i];
        if (c == '.') {
            fraction = true;
            continue;
        }
        if (digits.empty() && c == '0') {
            if (fraction)
                --decimalExponent;
            continue;
        }
        if (digits.size() < KeptDigits) {
            digits += c;
            if (fraction)
                --decimalExponent;
        } else {
            dropped = dropped || c != '0';
            if (!fraction)
                ++decimalExponent;
        }
    }
    if (i < number.size()) { // the exponent, held to a range that cannot overflow
        ++i;
        const bool negativeExponent = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+'))
            ++i;
        long written = 0;
        for (; i < number.size(); ++i)
            written = std::min(written * 10 + (number[i] - '0'), 1'000'000L);
        decimalExponent += negativeExponent ? -written : written;
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++decimalExponent;
    }
    if (digits.empty())
        return extended_detail::Zero(negative);
    // The value lies in [10^(top - 1), 10^top).
    const long top = decimalExponent + static_cast<long>(digits.size());
    if (top - 1 >= LargestDecimalExponent)
        return extended_detail::Infinity(negative);
    if (top < SmallestDecimalExponent)
        return extended_detail::Zero(negative);

    // value = numerator / denominator, both integers.
    Big numerator;
    for (std::size_t k = 0; k < digits.size(); k += 9) {
        const std::size_t length = std::min<std::size_t>(9, digits.size() - k);
        std::uint32_t chunk = 0;
        std::uint32_t scale = 1;
        for (std::size_t d = 0; d < length; ++d) {
            chunk = chunk * 10 + static_cast<std::uint32_t>(digits[k + d] - '0');
            scale *= 10;
        }
        MultiplyAdd(numerator, scale, chunk);
    }
    Big denominator{1};
    if (decimalExponent >= 0)
        MultiplyByPowerOfTen(numerator, decimalExponent);
    else
        MultiplyByPowerOfTen(denominator, -decimalExponent);

    // Line both up to the same length: then numerator / denominator lies in
    // [1, 2) after at most one more doubling, times 2^exponent.
    long exponent = BitLength(numerator) - BitLength(denominator);
    if (exponent > 0)
        ShiftLeft(denominator, exponent);
    else
        ShiftLeft(numerator, -exponent);
    if (!NotLess(numerator, denominator)) {
        ShiftLeft(numerator, 1);
        --exponent;
    }
    // 128 quotient bits, the first of weight 2^exponent; the remainder's
    // non-zero-ness (and the dropped digits) in the last.
    extended_detail::U128 quotient;
    for (int bit = 0; bit < 128; ++bit) {
        quotient = extended_detail::ShiftLeft(quotient, 1);
        if (!numerator.empty() && NotLess(numerator, denominator)) {
            Subtract(numerator, denominator);
            quotient.lo |= 1U;
        }
        ShiftLeft(numerator, 1);
    }
    if (!numerator.empty() || dropped)
        quotient.lo |= 1U;
    return extended_detail::Round(negative, static_cast<int>(exponent), quotient);
}

} // namespace signova
