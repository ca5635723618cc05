#pragma once

// The program's extended arithmetic: products, sums, differences and quotients
// rounded to a 64-bit significand with a 15-bit exponent, rounded to nearest with
// ties to even, then stored as double. These are the x87's results with 64-bit
// precision, and the filters' outputs are defined by them.
//
// `PortableExtended` computes the same results in integer arithmetic, bit for bit,
// and is built everywhere. The filters' step has a second portable form on the
// double hardware with a fused multiply-add (`FusedAddProduct`), the faster one
// where the compiler targets that instruction. Both need the toolkit's
// -ffp-contract=off: every product and sum here is rounded where it is written.
//
// `Extended` is the type the program computes with: the x87's long double on
// x86-64 (the fast path), `PortableExtended` elsewhere, or there too when
// SIGNOVA_PORTABLE_EXTENDED is defined (the CMake option of the same name).

#include "toolkit/bit_cast.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

// Whether the compiler targets a fused multiply-add instruction (x86-64-v3,
// arm64): then the portable filter step is built on it.
#if defined(__FMA__) || defined(__ARM_FEATURE_FMA)
#define SIGNOVA_HARDWARE_FMA 1
#endif

namespace signova {

// The x87 extended format's fields: sign and 15-bit biased exponent in
// signExponent, the significand with its explicit integer bit.
struct PortableExtended {
    std::uint64_t significand = 0;
    std::uint16_t signExponent = 0;
};

namespace extended_detail {

constexpr int Bias = 16383;
constexpr int MaxExponent = 16383;  // of the largest finite value, unbiased
constexpr int MinExponent = -16382; // of the smallest normal value, unbiased
constexpr std::uint16_t ExponentMask = 0x7FFF;
constexpr std::uint16_t SignBit = 0x8000;
constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t QuietBit = std::uint64_t{1} << 62;

// An unsigned 128-bit number; __int128 is not on every target.
struct U128 {
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;
};

inline U128 Multiply(std::uint64_t a, std::uint64_t b) {
#if defined(__SIZEOF_INT128__)
    __extension__ using Wide = unsigned __int128;
    const Wide p = static_cast<Wide>(a) * b;
    return {static_cast<std::uint64_t>(p >> 64), static_cast<std::uint64_t>(p)};
#else
    const std::uint64_t aLo = a & 0xFFFFFFFFU, aHi = a >> 32;
    const std::uint64_t bLo = b & 0xFFFFFFFFU, bHi = b >> 32;
    const std::uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
    const std::uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFU) + (hl & 0xFFFFFFFFU);
    return {hh + (lh >> 32) + (hl >> 32) + (middle >> 32),
            (middle << 32) | (ll & 0xFFFFFFFFU)};
#endif
}

// value >> shift; bits shifted out are ORed into bit 0 (shift >= 1).
inline U128 ShiftRightJam(U128 value, int shift) {
    if (shift >= 128)
        return {0, (value.hi | value.lo) != 0 ? 1U : 0U};
    if (shift >= 64) {
        const int s = shift - 64;
        const std::uint64_t lost = value.lo | (s == 0 ? 0 : value.hi << (64 - s));
        return {0, (s == 0 ? value.hi : value.hi >> s) | (lost != 0 ? 1U : 0U)};
    }
    const std::uint64_t lost = value.lo << (64 - shift);
    return {value.hi >> shift,
            (value.lo >> shift) | (value.hi << (64 - shift)) | (lost != 0 ? 1U : 0U)};
}

inline U128 ShiftLeft(U128 value, int shift) {
    if (shift == 0)
        return value;
    if (shift >= 64)
        return {value.lo << (shift - 64), 0};
    return {(value.hi << shift) | (value.lo >> (64 - shift)), value.lo << shift};
}

// A finite non-zero value: significand * 2^(exponent - 63), the significand's
// top bit set.
struct Unpacked {
    bool negative;
    int exponent;
    std::uint64_t significand;
};

inline bool IsSpecial(PortableExtended x) {
    return (x.signExponent & ExponentMask) == ExponentMask;
}
inline bool IsNaN(PortableExtended x) {
    return IsSpecial(x) && x.significand != IntegerBit;
}
inline bool IsInf(PortableExtended x) {
    return IsSpecial(x) && x.significand == IntegerBit;
}
inline bool IsZero(PortableExtended x) {
    return (x.signExponent & ExponentMask) == 0 && x.significand == 0;
}
inline bool IsNegative(PortableExtended x) {
    return (x.signExponent & SignBit) != 0;
}

inline Unpacked Unpack(PortableExtended x) {
    const int biased = x.signExponent & ExponentMask;
    if (biased == 0) { // subnormal: the same weight as the smallest normal
        const int shift = std::countl_zero(x.significand);
        return {IsNegative(x), MinExponent - shift, x.significand << shift};
    }
    return {IsNegative(x), biased - Bias, x.significand};
}

inline PortableExtended Infinity(bool negative) {
    return {IntegerBit, static_cast<std::uint16_t>(ExponentMask | (negative ? SignBit : 0))};
}
inline PortableExtended Zero(bool negative) {
    return {0, static_cast<std::uint16_t>(negative ? SignBit : 0)};
}
// What an invalid operation gives: the x87's "real indefinite".
inline PortableExtended DefaultNaN() {
    return {IntegerBit | QuietBit, 0xFFFF};
}

// The NaN an operation with a NaN operand gives, made quiet: of two, a quiet
// one before a signalling one, then the larger significand, then the positive
// one; so the order of the operands never matters.
inline PortableExtended PropagateNaN(PortableExtended a, PortableExtended b) {
    PortableExtended result = IsNaN(a) ? a : b;
    if (IsNaN(a) && IsNaN(b)) {
        const bool quietA = (a.significand & QuietBit) != 0;
        const bool quietB = (b.significand & QuietBit) != 0;
        if (quietA != quietB)
            result = quietA ? a : b;
        else if (a.significand != b.significand)
            result = a.significand > b.significand ? a : b;
        else
            result = IsNegative(a) ? b : a;
    }
    result.significand |= QuietBit;
    return result;
}

// Rounds significand * 2^(exponent - 127) (bit 127 set) to the extended format.
inline PortableExtended Round(bool negative, int exponent, U128 significand) {
    const std::uint16_t sign = negative ? SignBit : 0;
    if (exponent > MaxExponent)
        return Infinity(negative);
    const bool subnormal = exponent < MinExponent;
    if (subnormal)
        significand = ShiftRightJam(significand, MinExponent - exponent);
    std::uint64_t kept = significand.hi;
    const std::uint64_t rest = significand.lo;
    constexpr std::uint64_t half = std::uint64_t{1} << 63;
    if (rest > half || (rest == half && (kept & 1U) != 0)) {
        ++kept;
        if (kept == 0) {
            kept = IntegerBit;
            if (++exponent > MaxExponent)
                return Infinity(negative);
        }
    }
    if (subnormal) // rounding up to the smallest normal gives it its exponent
        return {kept, static_cast<std::uint16_t>(sign | ((kept & IntegerBit) != 0 ? 1 : 0))};
    return {kept, static_cast<std::uint16_t>(sign | (exponent + Bias))};
}

// The exact sum of two finite non-zero values as significand * 2^(exponent -
// 127) (bit 127 set), the bits beyond 128 ORed into bit 0; or zero.
struct Sum {
    bool zero;
    bool negative;
    int exponent;
    U128 significand;
};

inline Sum Add(Unpacked ua, Unpacked ub) {
    if (ub.exponent > ua.exponent ||
        (ub.exponent == ua.exponent && ub.significand > ua.significand)) {
        const Unpacked t = ua;
        ua = ub;
        ub = t;
    }
    const U128 larger{ua.significand, 0};
    U128 smaller{ub.significand, 0};
    if (ua.exponent != ub.exponent)
        smaller = ShiftRightJam(smaller, ua.exponent - ub.exponent);
    int exponent = ua.exponent;
    U128 sum;
    if (ua.negative == ub.negative) {
        sum.lo = larger.lo + smaller.lo;
        sum.hi = larger.hi + smaller.hi + (sum.lo < larger.lo ? 1U : 0U);
        if (sum.hi < larger.hi) { // carried out of bit 127
            sum = ShiftRightJam(sum, 1);
            sum.hi |= IntegerBit;
            ++exponent;
        }
    } else {
        sum.lo = larger.lo - smaller.lo;
        sum.hi = larger.hi - smaller.hi - (larger.lo < smaller.lo ? 1U : 0U);
        if (sum.hi == 0 && sum.lo == 0)
            return {true, false, 0, {}};
        const int shift = sum.hi != 0 ? std::countl_zero(sum.hi) : 64 + std::countl_zero(sum.lo);
        sum = ShiftLeft(sum, shift);
        exponent -= shift;
    }
    return {false, ua.negative, exponent, sum};
}

// Rounds significand (bit 127 set) to its top 64 bits, to nearest even; a
// carry out moves the exponent. No range check: for values far inside it.
inline std::uint64_t RoundTo64(U128 significand, int& exponent) {
    std::uint64_t kept = significand.hi;
    constexpr std::uint64_t half = std::uint64_t{1} << 63;
    if (significand.lo > half || (significand.lo == half && (kept & 1U) != 0)) {
        if (++kept == 0) {
            kept = IntegerBit;
            ++exponent;
        }
    }
    return kept;
}

} // namespace extended_detail

inline PortableExtended ToPortableExtended(double value) {
    using namespace extended_detail;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::uint16_t sign = (bits >> 63) != 0 ? SignBit : 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0x7FF) // a signalling NaN arrives quiet
        return {fraction == 0 ? IntegerBit : (IntegerBit | QuietBit | (fraction << 11)),
                static_cast<std::uint16_t>(sign | ExponentMask)};
    if (biased == 0) {
        if (fraction == 0)
            return {0, sign};
        const int shift = std::countl_zero(fraction);
        return {fraction << shift,
                static_cast<std::uint16_t>(sign | (-1074 + 63 - shift + Bias))};
    }
    return {IntegerBit | (fraction << 11), static_cast<std::uint16_t>(sign | (biased - 1023 + Bias))};
}

inline double ToDouble(PortableExtended x) {
    using namespace extended_detail;
    const std::uint64_t sign = IsNegative(x) ? std::uint64_t{1} << 63 : 0;
    constexpr std::uint64_t infinityBits = std::uint64_t{0x7FF} << 52;
    if (IsSpecial(x)) {
        if (x.significand == IntegerBit)
            return std::bit_cast<double>(sign | infinityBits);
        return std::bit_cast<double>(sign | infinityBits | (std::uint64_t{1} << 51) |
                                     ((x.significand >> 11) & ((std::uint64_t{1} << 52) - 1)));
    }
    if (x.significand == 0)
        return std::bit_cast<double>(sign);
    Unpacked u = Unpack(x);
    if (u.exponent > 1023)
        return std::bit_cast<double>(sign | infinityBits);
    // Drop 11 bits, more below the smallest normal double.
    const int shift = u.exponent >= -1022 ? 11 : 11 + (-1022 - u.exponent);
    if (shift > 64)
        return std::bit_cast<double>(sign);
    std::uint64_t kept = shift == 64 ? 0 : u.significand >> shift;
    const std::uint64_t rest = shift == 64 ? u.significand : u.significand & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (kept & 1U) != 0))
        ++kept;
    if (shift > 11) // subnormal: a carry into bit 52 makes it the smallest normal
        return std::bit_cast<double>(sign | kept);
    int exponent = u.exponent;
    if (kept == (std::uint64_t{1} << 53)) {
        kept >>= 1;
        if (++exponent > 1023)
            return std::bit_cast<double>(sign | infinityBits);
    }
    return std::bit_cast<double>(sign | (static_cast<std::uint64_t>(exponent + 1023) << 52) |
                                 (kept & ((std::uint64_t{1} << 52) - 1)));
}

inline PortableExtended operator-(PortableExtended x) {
    x.signExponent ^= extended_detail::SignBit;
    return x;
}

inline PortableExtended Abs(PortableExtended x) {
    x.signExponent &= extended_detail::ExponentMask;
    return x;
}

inline PortableExtended operator*(PortableExtended a, PortableExtended b) {
    using namespace extended_detail;
    const bool negative = IsNegative(a) != IsNegative(b);
    if (IsSpecial(a) || IsSpecial(b)) {
        if (IsNaN(a) || IsNaN(b))
            return PropagateNaN(a, b);
        if (IsZero(a) || IsZero(b))
            return DefaultNaN();
        return Infinity(negative);
    }
    if (IsZero(a) || IsZero(b))
        return Zero(negative);
    const Unpacked ua = Unpack(a);
    const Unpacked ub = Unpack(b);
    U128 product = Multiply(ua.significand, ub.significand);
    int exponent = ua.exponent + ub.exponent + 1;
    if ((product.hi & IntegerBit) == 0) {
        product = ShiftLeft(product, 1);
        --exponent;
    }
    return Round(negative, exponent, product);
}

inline PortableExtended operator+(PortableExtended a, PortableExtended b) {
    using namespace extended_detail;
    if (IsSpecial(a) || IsSpecial(b)) {
        if (IsNaN(a) || IsNaN(b))
            return PropagateNaN(a, b);
        if (IsInf(a) && IsInf(b) && IsNegative(a) != IsNegative(b))
            return DefaultNaN();
        return IsInf(a) ? a : b;
    }
    if (IsZero(b))
        return IsZero(a) && IsNegative(a) != IsNegative(b) ? Zero(false) : a;
    if (IsZero(a))
        return b;
    const extended_detail::Sum sum = extended_detail::Add(Unpack(a), Unpack(b));
    if (sum.zero)
        return Zero(false);
    return Round(sum.negative, sum.exponent, sum.significand);
}

inline PortableExtended operator-(PortableExtended a, PortableExtended b) {
    // A NaN keeps its sign: only numbers are negated.
    if (extended_detail::IsNaN(a) || extended_detail::IsNaN(b))
        return extended_detail::PropagateNaN(a, b);
    return a + -b;
}

inline PortableExtended operator/(PortableExtended a, PortableExtended b) {
    using namespace extended_detail;
    const bool negative = IsNegative(a) != IsNegative(b);
    if (IsNaN(a) || IsNaN(b))
        return PropagateNaN(a, b);
    if (IsInf(a))
        return IsInf(b) ? DefaultNaN() : Infinity(negative);
    if (IsInf(b))
        return Zero(negative);
    if (IsZero(b))
        return IsZero(a) ? DefaultNaN() : Infinity(negative);
    if (IsZero(a))
        return Zero(negative);
    const Unpacked ua = Unpack(a);
    const Unpacked ub = Unpack(b);
    // Long division, one quotient bit at a time: 128 bits, the remainder's
    // non-zero-ness in the last.
    std::uint64_t remainder = ua.significand;
    bool carry = false; // bit 64 of the remainder
    U128 quotient;
    for (int bit = 0; bit < 128; ++bit) {
        quotient = ShiftLeft(quotient, 1);
        if (carry || remainder >= ub.significand) {
            remainder -= ub.significand;
            quotient.lo |= 1U;
        }
        carry = (remainder & IntegerBit) != 0;
        remainder <<= 1;
    }
    if (remainder != 0 || carry)
        quotient.lo |= 1U;
    // quotient = a/b * 2^127 (with a/b in (1/2, 2) for the significands).
    int exponent = ua.exponent - ub.exponent;
    if ((quotient.hi & IntegerBit) == 0) {
        quotient = ShiftLeft(quotient, 1);
        --exponent;
    }
    return Round(negative, exponent, quotient);
}

// sum + x * h with the product and the sum rounded to 64 bits, stored as
// double: one step of the filters, in integers. The same as going through
// PortableExtended, in fewer steps for the common case of normal operands and
// a normal result.
inline double IntegerAddProduct(double sum, double x, double h) {
    using namespace extended_detail;
    constexpr std::uint64_t fractionMask = (std::uint64_t{1} << 52) - 1;
    constexpr std::uint64_t hidden = std::uint64_t{1} << 52;
    const auto bx = std::bit_cast<std::uint64_t>(x);
    const auto bh = std::bit_cast<std::uint64_t>(h);
    const auto bs = std::bit_cast<std::uint64_t>(sum);
    const auto ex = static_cast<unsigned>((bx >> 52) & 0x7FF);
    const auto eh = static_cast<unsigned>((bh >> 52) & 0x7FF);
    const auto es = static_cast<unsigned>((bs >> 52) & 0x7FF);
    const bool sumIsZero = (bs << 1) == 0;
    if (ex - 1 >= 0x7FE || eh - 1 >= 0x7FE || (es - 1 >= 0x7FE && !sumIsZero))
        return ToDouble(ToPortableExtended(sum) + ToPortableExtended(x) * ToPortableExtended(h));
    // The exact product of the two 53-bit significands has its top at bit 104
    // or 105; never subnormal or too large in the extended range.
    U128 product = Multiply((bx & fractionMask) | hidden, (bh & fractionMask) | hidden);
    int productExponent = static_cast<int>(ex + eh) - 2046;
    if ((product.hi >> 41) != 0) {
        product = ShiftLeft(product, 22);
        ++productExponent;
    } else {
        product = ShiftLeft(product, 23);
    }
    const std::uint64_t productSignificand = RoundTo64(product, productExponent);
    const Unpacked rounded{((bx ^ bh) >> 63) != 0, productExponent, productSignificand};
    std::uint64_t significand = rounded.significand;
    int exponent = rounded.exponent;
    bool negative = rounded.negative;
    if (!sumIsZero) {
        const Sum total = Add(rounded, Unpacked{(bs >> 63) != 0, static_cast<int>(es) - 1023,
                                                ((bs & fractionMask) | hidden) << 11});
        if (total.zero)
            return 0.0;
        exponent = total.exponent;
        negative = total.negative;
        significand = RoundTo64(total.significand, exponent);
    }
    // To 53 bits; a result outside the normal doubles the general way.
    std::uint64_t kept = significand >> 11;
    const std::uint64_t rest = significand & 0x7FF;
    if (rest > 0x400 || (rest == 0x400 && (kept & 1U) != 0)) {
        if (++kept == (std::uint64_t{1} << 53)) {
            kept >>= 1;
            ++exponent;
        }
    }
    if (exponent < -1022 || exponent > 1023)
        return ToDouble(ToPortableExtended(sum) + ToPortableExtended(x) * ToPortableExtended(h));
    return std::bit_cast<double>((negative ? std::uint64_t{1} << 63 : 0) |
                                 (static_cast<std::uint64_t>(exponent + 1023) << 52) |
                                 (kept & fractionMask));
}

namespace extended_detail {

inline unsigned ExponentField(std::uint64_t bits) {
    return static_cast<unsigned>(bits >> 52) & 0x7FF;
}

// A double's exact remainder `rest` (|rest| at most half an ulp of a lead
// whose exponent field is `field`) rounded to nearest even on the grid of
// 2^-63 of that power of two: adding 1.5 * 2^52 units of the grid puts the
// grid's unit at the last bit of the sum.
inline double RoundRest(double rest, std::uint64_t field) {
    const double shifter = std::bit_cast<double>(((field - 11) << 52) | (std::uint64_t{1} << 51));
    return (rest + shifter) - shifter;
}

// `rest` rounded to the 64-bit significand of lead + rest: on lead's grid, or
// on half of it when lead is a power of two and rest takes the value below.
inline double RestToSixtyFourBits(double lead, double rest) {
    const auto bitsLead = std::bit_cast<std::uint64_t>(lead);
    const auto bitsRest = std::bit_cast<std::uint64_t>(rest);
    const std::uint64_t below = ((bitsLead << 12) == 0 ? 1U : 0U) & ((bitsLead ^ bitsRest) >> 63);
    return RoundRest(rest, ExponentField(bitsLead) - below);
}

// a + b = sum + error exactly, for any finite a and b (no fused operation).
struct TwoSumResult {
    double sum;
    double error;
};
inline TwoSumResult TwoSum(double a, double b) {
    const double sum = a + b;
    const double bPart = sum - a;
    return {sum, (a - (sum - bPart)) + (b - bPart)};
}
// The same in fewer steps where a is zero or its exponent is at least b's.
inline TwoSumResult FastTwoSum(double a, double b) {
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

// The operands the fused step leaves to the integers: a zero product, and
// products or sums near either end of the double range or far apart in size.
[[gnu::noinline]] inline double AddProductOutsideFusedRange(double sum, double x, double h) {
    if ((x == 0 || h == 0) && std::isfinite(x) && std::isfinite(h) && std::isfinite(sum))
        return sum + x * h; // an exact zero: sum, or a zero of the x87's sign
    return IntegerAddProduct(sum, x, h);
}

} // namespace extended_detail

// IntegerAddProduct's results from the double hardware, through a fused
// multiply-add: where the compiler targets one this is the fast way.
//
// The product x*h is hi + lo exactly (lo from the fused multiply-add) while
// |hi| stays within 2^-967 .. 2^982: no bit of lo falls below the smallest
// double. lo rounded to the product's 64-bit grid gives the extended product
// hi + lo64. With sum's exponent at most 40 above and 52 below hi's, the error
// of sum + hi and lo64 add to a double exactly, so sum + hi + lo64 is S + t
// exactly, S the sum rounded to double (the exact sum is zero only when S is).
// The rounded sum + hi is zero or has an exponent at least that of
// error + lo64, so the short two-sum is exact there: an inexact sum is at
// least half of |hi|; an exact non-zero one is a multiple of hi's ulp when
// sum's ulp is not smaller, else at least half of hi's ulp, so at least |lo64|.
// t rounded to the sum's 64-bit grid gives the extended sum S + t64, and
// S + t64 in double arithmetic is its rounding to double (subnormal or not;
// the grid needs |S| >= 2^-1010). When S is a power of two and t takes the
// value below it, the finer grid there is not needed: S + t64 lies between
// S and the midpoint below it, both included, and rounds to S either way.
// Everything else goes to the integer path.
inline double FusedAddProduct(double sum, double x, double h) {
    using namespace extended_detail;
    const double hi = x * h;
    const double lo = std::fma(x, h, -hi);
    const auto bitsSum = std::bit_cast<std::uint64_t>(sum);
    const unsigned fieldHi = ExponentField(std::bit_cast<std::uint64_t>(hi));
    const unsigned fieldSum = ExponentField(bitsSum);
    const bool productInRange = fieldHi - 56 <= 2004 - 56;
    const bool sumInReach = (bitsSum << 1) == 0 || fieldSum + 52 - fieldHi <= 92;
    const double lo64 = RestToSixtyFourBits(hi, lo);
    const TwoSumResult head = TwoSum(sum, hi);
    const TwoSumResult total = FastTwoSum(head.sum, head.error + lo64);
    const auto bitsTotal = std::bit_cast<std::uint64_t>(total.sum);
    const bool totalInRange = ExponentField(bitsTotal) >= 13 || (bitsTotal << 1) == 0;
    if (!(productInRange && sumInReach && totalInRange)) [[unlikely]]
        return AddProductOutsideFusedRange(sum, x, h);
    if ((bitsTotal << 1) == 0)
        return 0.0; // an exact cancellation is +0, as the x87 gives
    return total.sum + RoundRest(total.error, ExponentField(bitsTotal));
}

// The program's step in portable arithmetic: fused where the hardware has it.
inline double PortableAddProduct(double sum, double x, double h) {
#if defined(SIGNOVA_HARDWARE_FMA)
    return FusedAddProduct(sum, x, h);
#else
    return IntegerAddProduct(sum, x, h);
#endif
}

// Ordered comparison: false when either is a NaN.
inline bool operator<(PortableExtended a, PortableExtended b) {
    using namespace extended_detail;
    if (IsNaN(a) || IsNaN(b))
        return false;
    if (IsZero(a) && IsZero(b))
        return false;
    if (IsNegative(a) != IsNegative(b))
        return IsNegative(a);
    const auto magnitude = [](PortableExtended x) {
        return U128{static_cast<std::uint64_t>(x.signExponent & ExponentMask), x.significand};
    };
    const U128 ma = magnitude(a), mb = magnitude(b);
    const bool less = ma.hi < mb.hi || (ma.hi == mb.hi && ma.lo < mb.lo);
    const bool greater = mb.hi < ma.hi || (ma.hi == mb.hi && mb.lo < ma.lo);
    return IsNegative(a) ? greater : less;
}

inline bool IsZero(PortableExtended x) {
    return extended_detail::IsZero(x);
}

inline bool IsInfinite(PortableExtended x) {
    return extended_detail::IsInf(x);
}

#if defined(__x86_64__) && LDBL_MANT_DIG == 64
// The x87 format is at hand (whether or not the program computes with it).
#define SIGNOVA_HAS_X87_EXTENDED 1

// The x87 value's ten bytes as the portable type holds them.
inline PortableExtended BitsOf(long double value) {
    PortableExtended bits;
    std::memcpy(&bits.significand, &value, 8);
    std::memcpy(&bits.signExponent, reinterpret_cast<const char*>(&value) + 8, 2);
    return bits;
}
inline long double FromBits(PortableExtended bits) {
    long double value = 0.0L;
    std::memcpy(&value, &bits.significand, 8);
    std::memcpy(reinterpret_cast<char*>(&value) + 8, &bits.signExponent, 2);
    return value;
}

#endif

#if defined(SIGNOVA_HAS_X87_EXTENDED) && !defined(SIGNOVA_PORTABLE_EXTENDED)
#define SIGNOVA_X87_EXTENDED 1
using Extended = long double;

inline long double ToExtended(double value) {
    return value;
}
inline double ToDouble(long double value) {
    return static_cast<double>(value);
}
inline long double Abs(long double value) {
    return __builtin_fabsl(value);
}
inline bool IsZero(long double value) {
    return value == 0.0L;
}
inline bool IsInfinite(long double value) {
    return __builtin_isinf(value);
}
// sum + x * h, product and sum with the 64-bit significand, stored as double.
inline double AddProduct(double sum, double x, double h) {
    return static_cast<double>(sum + static_cast<long double>(x) * h);
}

#else
using Extended = PortableExtended;

inline PortableExtended ToExtended(double value) {
    return ToPortableExtended(value);
}
inline double AddProduct(double sum, double x, double h) {
    return PortableAddProduct(sum, x, h);
}
#endif

} // namespace signova
