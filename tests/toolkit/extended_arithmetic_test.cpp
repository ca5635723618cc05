#include "toolkit/extended_arithmetic.h"
#include "toolkit/bit_cast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

// The x86-64-v3 build of this test checks the fused step as the hardware runs it.
#if defined(SIGNOVA_EXPECT_HARDWARE_FMA) && !defined(SIGNOVA_HARDWARE_FMA)
#error "built to test the fused multiply-add, but the compiler does not target one"
#endif

namespace signova {
namespace {

// The portable results are correct rounding by construction; these few are
// worked by hand and hold on every platform.
TEST(PortableExtended, RoundsProductsAndSumsToSixtyFourBits) {
    const double twoTo53 = 9007199254740992.0;
    // (2^53 + 1)^2 = 2^106 + 2^54 + 1: the 64-bit significand keeps 2^106 + 2^54
    // and drops the 1 (below half an ulp of 2^43).
    const PortableExtended square =
        ToPortableExtended(twoTo53 + 2) * ToPortableExtended(twoTo53 + 2);
    EXPECT_EQ(square.significand, (std::uint64_t{1} << 63) | (std::uint64_t{4} << 10));
    // 1 + 2^-64 is a tie between 1 and 1 + 2^-63: to even, 1.
    const PortableExtended one = ToPortableExtended(1.0);
    EXPECT_EQ((one + ToPortableExtended(std::ldexp(1.0, -64))).significand,
              std::uint64_t{1} << 63);
    // 1 + 3 * 2^-65 lies above the tie: 1 + 2^-63.
    EXPECT_EQ((one + ToPortableExtended(std::ldexp(3.0, -65))).significand,
              (std::uint64_t{1} << 63) | 1U);
    // Stored as double, 1 + 2^-53 ties back to 1, 1 + 3 * 2^-53 up to 1 + 2^-51.
    EXPECT_EQ(ToDouble(one + ToPortableExtended(std::ldexp(1.0, -53))), 1.0);
    EXPECT_EQ(ToDouble(one + ToPortableExtended(std::ldexp(3.0, -53))),
              1.0 + std::ldexp(1.0, -51));
    // The smallest doubles' product is far inside the extended range...
    const PortableExtended tiny = ToPortableExtended(std::ldexp(1.0, -1074));
    EXPECT_EQ(ToDouble(tiny * tiny), 0.0);
    EXPECT_FALSE(IsZero(tiny * tiny));
    // ...and the largest doubles' sum overflows only the double.
    const PortableExtended huge = ToPortableExtended(DBL_MAX);
    EXPECT_TRUE(std::isinf(ToDouble(huge + huge)));
    EXPECT_EQ(ToDouble((huge + huge) / ToPortableExtended(4.0)), DBL_MAX / 2);
    EXPECT_TRUE(std::isnan(ToDouble(ToPortableExtended(INFINITY) - ToPortableExtended(INFINITY))));
    EXPECT_TRUE(ToPortableExtended(-2.0) < ToPortableExtended(1.0));
    EXPECT_FALSE(ToPortableExtended(NAN) < ToPortableExtended(1.0));
}

#if defined(SIGNOVA_HAS_X87_EXTENDED)

// Cases from random bit patterns and from constructions that hit the rounding's
// hard places: exact ties at the 64-bit and at the 53-bit rounding, subnormal
// results, exponents at both ends of both formats, cancellation.
class CaseMaker {
  public:
    explicit CaseMaker(std::uint64_t seed) : random_(seed) {}

    std::uint64_t Bits() { return random_(); }

    // A signalling NaN is left out: nothing in the program makes one, and the
    // x87's pick between two NaN operands then depends on whether the compiler
    // loaded the double (which quiets it) or used it from memory.
    double AnyDouble() {
        const double value = AnyDoubleOrSignallingNaN();
        if (!std::isnan(value))
            return value;
        return std::bit_cast<double>(std::bit_cast<std::uint64_t>(value) | (std::uint64_t{1} << 51));
    }

    double AnyDoubleOrSignallingNaN() {
        switch (Bits() % 8) {
        case 0:
            return std::bit_cast<double>(Bits());
        case 1: // few significant bits: products of these tie often
            return Shaped(1 + static_cast<int>(Bits() % 30), NearExponent());
        case 2:
            return Shaped(53, NearExponent());
        case 3: // integers as the filters see them
            return static_cast<double>(static_cast<std::int64_t>(Bits()) >>
                                       (Bits() % 63));
        case 4: // subnormal and huge
            return std::bit_cast<double>((Bits() & 0x800FFFFFFFFFFFFFULL) |
                                         (Bits() % 2 == 0 ? 0 : 0x7FE0000000000000ULL));
        default:
            return Shaped(static_cast<int>(Bits() % 54), static_cast<int>(Bits() % 2100) - 1075);
        }
    }

    PortableExtended AnyExtended() {
        PortableExtended x;
        const std::uint16_t sign = Bits() % 2 == 0 ? 0 : 0x8000;
        const int kind = static_cast<int>(Bits() % 16);
        int exponent = 0;
        if (kind == 0)
            exponent = 0; // zero and subnormal
        else if (kind == 1)
            exponent = 0x7FFF; // infinity and NaN
        else if (kind == 2)
            exponent = 1 + static_cast<int>(Bits() % 80);
        else if (kind == 3)
            exponent = 0x7FFE - static_cast<int>(Bits() % 80);
        else if (kind < 8)
            exponent = 16383 + static_cast<int>(Bits() % 2400) - 1200;
        else
            exponent = 1 + static_cast<int>(Bits() % 0x7FFE);
        std::uint64_t significand = Bits();
        if (Bits() % 4 == 0) // short significands: ties
            significand &= ~std::uint64_t{0} << (Bits() % 64);
        significand |= std::uint64_t{1} << 63;
        if (exponent == 0)
            significand = Bits() % 3 == 0 ? 0 : (significand >> (1 + Bits() % 63));
        if (exponent == 0x7FFF) // infinity, or a quiet NaN as operations make them
            significand = Bits() % 2 == 0 ? std::uint64_t{1} << 63 : (significand | (std::uint64_t{3} << 62));
        x.significand = significand;
        x.signExponent = static_cast<std::uint16_t>(sign | exponent);
        return x;
    }

    // A factor that puts x * h's exponent within a few of `exponent` (x if it
    // cannot).
    double ToProductNear(double x, int exponent) {
        if (x == 0 || !std::isfinite(x))
            return x;
        const int bits = 1 + static_cast<int>(Bits() % 53);
        return Shaped(bits, exponent - std::ilogb(x) + static_cast<int>(Bits() % 9) - 4 - (bits - 1));
    }

    // A factor that puts x * h a few units of the last place above or below a
    // power of two (x where the nudge would make a NaN).
    double ToPowerOfTwoProduct(double x) {
        const double h = std::ldexp(1.0, static_cast<int>(Bits() % 64) - 32) / x;
        const auto nudged = std::bit_cast<double>(std::bit_cast<std::uint64_t>(h) + Bits() % 5 - 2);
        return std::isnan(nudged) ? x : nudged;
    }

    // value * 2^k, k from -56 to 44 (the fused step's reach and a little
    // beyond), its low bits replaced at random, either sign.
    double Scaled(double value) {
        if (value == 0 || !std::isfinite(value))
            return value;
        const double scaled = std::ldexp(value, static_cast<int>(Bits() % 101) - 56);
        const auto bits = std::bit_cast<std::uint64_t>(scaled) ^ (Bits() >> (12 + Bits() % 52));
        return Bits() % 2 == 0 ? std::bit_cast<double>(bits) : -std::bit_cast<double>(bits);
    }

    // Near another: for cancellation.
    PortableExtended Near(PortableExtended x) {
        x.signExponent ^= 0x8000;
        if (Bits() % 2 == 0)
            x.significand ^= Bits() >> (1 + Bits() % 63) & ((std::uint64_t{1} << 63) - 1);
        return x;
    }

  private:
    int NearExponent() { return static_cast<int>(Bits() % 160) - 80; }

    // A double with `bits` significant bits and the given exponent.
    double Shaped(int bits, int exponent) {
        const std::uint64_t significand = (Bits() | (std::uint64_t{1} << 63)) >> (64 - std::max(bits, 1));
        const double value = std::ldexp(static_cast<double>(significand), exponent);
        return Bits() % 2 == 0 ? value : -value;
    }

    std::mt19937_64 random_;
};

// A sum far below the product x*h (rounded to hi as double) that puts the total
// a hair below a tie at the 64-bit rounding which lies on a tie at the 53-bit
// one: hi + half its ulp, less half the 64-bit grid, less the sum's own last
// bit. The total needs that last bit to round to the right side; 0 where x*h
// is not a normal double.
double JustBelowTie(double x, double h) {
    const double hi = x * h;
    if (!std::isnormal(hi))
        return 0;
    const long double product = static_cast<long double>(x) * h;
    const auto lo64 = static_cast<double>(product - hi); // exact: a few bits
    const double ulp = std::ldexp(1.0, std::ilogb(hi) - 52);
    const double toTie = std::copysign(ulp / 2 - ulp / 4096, hi) - lo64;
    return std::nextafter(toTie, 0.0);
}

std::uint64_t CasesFromEnvironment(std::uint64_t standard) {
    const char* text = std::getenv("SIGNOVA_EXTENDED_CASES");
    return text == nullptr ? standard : std::strtoull(text, nullptr, 10);
}

::testing::AssertionResult SameBits(PortableExtended portable, long double x87) {
    const PortableExtended expected = BitsOf(x87);
    if (portable.significand == expected.significand &&
        portable.signExponent == expected.signExponent)
        return ::testing::AssertionSuccess();
    char text[160];
    std::snprintf(text, sizeof text, "portable %04x:%016llx, x87 %04x:%016llx",
                  portable.signExponent, static_cast<unsigned long long>(portable.significand),
                  expected.signExponent, static_cast<unsigned long long>(expected.significand));
    return ::testing::AssertionFailure() << text;
}

std::string Describe(PortableExtended x) {
    char text[40];
    std::snprintf(text, sizeof text, "%04x:%016llx", x.signExponent,
                  static_cast<unsigned long long>(x.significand));
    return text;
}

// The filters' operations on doubles: the extended product of two doubles, its
// sum with a double, the sum of two products, each stored as double.
TEST(PortableExtended, FilterOperationsEqualTheX87) {
    CaseMaker make(20261208);
    const std::uint64_t cases = CasesFromEnvironment(2'000'000);
    std::uint64_t differences = 0;
    for (std::uint64_t i = 0; i < cases && differences < 10; ++i) {
        const double x = make.AnyDouble();
        double h = make.AnyDouble();
        if (i % 8 == 5) // products near the ends of the fused step's range
            h = make.ToProductNear(x, make.Bits() % 2 == 0 ? -967 : 982);
        if (i % 8 == 4) // products a little above or below a power of two
            h = make.ToPowerOfTwoProduct(x);
        double sum = make.AnyDouble();
        if (i % 4 == 0) // cancellation: the sum near minus the product
            sum = -static_cast<double>(static_cast<long double>(x) * h) *
                  (1 + std::ldexp(static_cast<double>(make.Bits() % 64) - 32, -60));
        if (i % 4 == 1 || i % 4 == 2) // sums a little larger or smaller than the product
            sum = make.Scaled(static_cast<double>(static_cast<long double>(x) * h));
        if (i % 8 == 7) // sums far below the product that meet its bits at a tie
            sum = JustBelowTie(x, h);
        const PortableExtended product = ToPortableExtended(x) * ToPortableExtended(h);
        const long double x87Product = static_cast<long double>(x) * h;
        const PortableExtended total = ToPortableExtended(sum) + product;
        const long double x87Total = sum + x87Product;
        const double stored = ToDouble(total);
        const double x87Stored = static_cast<double>(x87Total);
        const auto s = make.AnyDouble();
        const PortableExtended twoProducts = product + ToPortableExtended(s) * ToPortableExtended(h);
        const long double x87TwoProducts = x87Product + static_cast<long double>(s) * h;
        const bool same = SameBits(product, x87Product) && SameBits(total, x87Total) &&
                          std::bit_cast<std::uint64_t>(stored) ==
                              std::bit_cast<std::uint64_t>(x87Stored) &&
                          std::bit_cast<std::uint64_t>(IntegerAddProduct(sum, x, h)) ==
                              std::bit_cast<std::uint64_t>(x87Stored) &&
                          std::bit_cast<std::uint64_t>(FusedAddProduct(sum, x, h)) ==
                              std::bit_cast<std::uint64_t>(x87Stored) &&
                          SameBits(twoProducts, x87TwoProducts);
        if (!same) {
            ++differences;
            ADD_FAILURE() << "x " << std::hexfloat << x << " h " << h << " sum " << sum
                          << " s " << s << ": " << SameBits(product, x87Product).message()
                          << " / " << SameBits(total, x87Total).message() << " / integer "
                          << IntegerAddProduct(sum, x, h) << " fused "
                          << FusedAddProduct(sum, x, h) << " x87 " << x87Stored << " / "
                          << SameBits(twoProducts, x87TwoProducts).message();
        }
    }
    EXPECT_EQ(differences, 0U);
    RecordProperty("cases", std::to_string(cases));
}

// Extended operands of every kind through +, -, *, / and the store as double.
TEST(PortableExtended, ExtendedOperationsEqualTheX87) {
    CaseMaker make(7);
    const std::uint64_t cases = CasesFromEnvironment(1'000'000);
    std::uint64_t differences = 0;
    for (std::uint64_t i = 0; i < cases && differences < 10; ++i) {
        const PortableExtended a = make.AnyExtended();
        const PortableExtended b = i % 5 == 0 ? make.Near(a) : make.AnyExtended();
        const long double la = FromBits(a);
        const long double lb = FromBits(b);
        const bool same = SameBits(a + b, la + lb) && SameBits(a - b, la - lb) &&
                          SameBits(a * b, la * lb) && SameBits(a / b, la / lb) &&
                          std::bit_cast<std::uint64_t>(ToDouble(a)) ==
                              std::bit_cast<std::uint64_t>(static_cast<double>(la)) &&
                          (a < b) == (la < lb);
        if (!same) {
            ++differences;
            ADD_FAILURE() << Describe(a) << " " << Describe(b) << ": +"
                          << SameBits(a + b, la + lb).message() << " -"
                          << SameBits(a - b, la - lb).message() << " *"
                          << SameBits(a * b, la * lb).message() << " /"
                          << SameBits(a / b, la / lb).message();
        }
    }
    EXPECT_EQ(differences, 0U);
}

#endif

} // namespace
} // namespace signova
