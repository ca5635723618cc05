#include "toolkit/decimal_extended.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#if defined(SIGNOVA_HAS_X87_EXTENDED) && defined(SIGNOVA_TEST_WITH_MPFR)
#include <locale.h>
#include <mpfr.h>
#endif

namespace signova {
namespace {

struct DecimalCase {
    const char* text;
    std::uint16_t signExponent;
    std::uint64_t significand;
};

class DecimalToExtendedCases : public ::testing::TestWithParam<DecimalCase> {};

// Worked by hand; they hold on every platform.
TEST_P(DecimalToExtendedCases, RoundsToNearestEven) {
    const PortableExtended x = DecimalToExtended(GetParam().text);
    EXPECT_EQ(x.signExponent, GetParam().signExponent) << GetParam().text;
    EXPECT_EQ(x.significand, GetParam().significand) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DecimalToExtendedCases,
    ::testing::Values(
        DecimalCase{"1", 0x3FFF, 0x8000000000000000}, DecimalCase{"-0.000", 0x8000, 0},
        DecimalCase{"+2.5e1", 0x4003, 0xC800000000000000},
        // 0.1 rounds up in its last bit, 0.7 down.
        DecimalCase{"0.1", 0x3FFB, 0xCCCCCCCCCCCCCCCD}, DecimalCase{"0.7", 0x3FFE, 0xB333333333333333},
        // 2^64 + 1 is the tie between 2^64 and 2^64 + 2 (to even: 2^64); one
        // more in the last of many digits breaks the tie upwards.
        DecimalCase{"18446744073709551617", 0x403F, 0x8000000000000000},
        DecimalCase{"18446744073709551617.000000000000000000000000000000001", 0x403F,
                    0x8000000000000001},
        DecimalCase{"18446744073709551619", 0x403F, 0x8000000000000002},
        // The largest extended, the first text beyond it, and the smallest
        // subnormal's neighbourhood.
        DecimalCase{"1.18973149535723176502e4932", 0x7FFE, 0xFFFFFFFFFFFFFFFF},
        DecimalCase{"1.2e4932", 0x7FFF, 0x8000000000000000},
        DecimalCase{"1e99999999999", 0x7FFF, 0x8000000000000000},
        DecimalCase{"3.6451995318824746025e-4951", 0x0000, 1},
        DecimalCase{"1.8e-4951", 0x0000, 0}, DecimalCase{"1.9e-4951", 0x0000, 1},
        DecimalCase{"1e-99999999999", 0x0000, 0}));

// Digits far beyond those any halfway point needs still break a tie.
TEST(DecimalToExtended, DigitsBeyondTwelveThousandBreakATie) {
    const std::string tie = "18446744073709551617" + std::string(20000, '0');
    EXPECT_EQ(DecimalToExtended(tie + "e-20000").significand, 0x8000000000000000);
    EXPECT_EQ(DecimalToExtended(tie + "1e-20001").significand, 0x8000000000000001);
    // Leading zeros are not digits that count.
    EXPECT_EQ(DecimalToExtended("0." + std::string(30000, '0') + "1e30001").signExponent, 0x3FFF);
}

#if defined(SIGNOVA_HAS_X87_EXTENDED) && defined(SIGNOVA_TEST_WITH_MPFR)

std::uint64_t CasesFromEnvironment(std::uint64_t standard) {
    const char* text = std::getenv("SIGNOVA_DECIMAL_CASES");
    return text == nullptr ? standard : std::strtoull(text, nullptr, 10);
}

// MPFR rounds a decimal text to 64 bits within the extended exponent range.
long double MpfrExtended(const std::string& text) {
    const mpfr_exp_t emin = mpfr_get_emin();
    const mpfr_exp_t emax = mpfr_get_emax();
    mpfr_set_emin(-16444); // 2^-16445, the smallest subnormal, is 0.1b * 2^-16444
    mpfr_set_emax(16384);
    mpfr_t r;
    mpfr_init2(r, 64);
    int ternary = mpfr_strtofr(r, text.c_str(), nullptr, 10, MPFR_RNDN);
    ternary = mpfr_subnormalize(r, ternary, MPFR_RNDN);
    const long double value = mpfr_get_ld(r, MPFR_RNDN);
    mpfr_clear(r);
    mpfr_set_emin(emin);
    mpfr_set_emax(emax);
    return value;
}

// Texts of every length and range, and texts at or within a few digits of a
// halfway point between two neighbouring extended values.
class TextMaker {
  public:
    explicit TextMaker(std::uint64_t seed) : random_(seed) {}

    std::string Next() { return random_() % 2 == 0 ? Random() : NearHalfway(); }

  private:
    std::string Random() {
        std::string text = random_() % 4 == 0 ? "-" : "";
        const int digits = 1 + static_cast<int>(random_() % 30);
        const int point = static_cast<int>(random_() % (digits + 1));
        for (int i = 0; i < digits; ++i) {
            if (i == point && random_() % 2 == 0)
                text += '.';
            text += static_cast<char>('0' + random_() % 10);
        }
        const auto range = random_() % 3;
        const long exponent = range == 0   ? static_cast<long>(random_() % 60) - 30
                              : range == 1 ? static_cast<long>(random_() % 9900) - 4960
                                           : static_cast<long>(random_() % 40) +
                                                 (random_() % 2 == 0 ? 4915 : -4980);
        return text + "e" + std::to_string(exponent);
    }

    std::string NearHalfway() {
        // The point halfway between significand and significand + 1 (64 bits)
        // at a random binary exponent, subnormals included.
        const std::uint64_t significand = random_() | (random_() % 8 == 0 ? 0 : std::uint64_t{1} << 63);
        const long exponent = random_() % 4 == 0 ? static_cast<long>(random_() % 200) - 100
                                                 : static_cast<long>(random_() % 32900) - 16509;
        mpfr_t half;
        mpfr_init2(half, 66);
        mpfr_set_ui_2exp(half, static_cast<unsigned long>(significand), 1, MPFR_RNDN);
        mpfr_add_ui(half, half, 1, MPFR_RNDN); // 2 * significand + 1, exact in 66 bits
        mpfr_mul_2si(half, half, exponent - 1, MPFR_RNDN);
        const std::size_t digits = (exponent > -100 && exponent < 100) && random_() % 2 == 0
                                       ? 200 // exactly the halfway point
                                       : 18 + random_() % 30;
        mpfr_exp_t decimalExponent = 0;
        char* text = mpfr_get_str(nullptr, &decimalExponent, 10, digits, half,
                                  random_() % 2 == 0 ? MPFR_RNDN : MPFR_RNDZ);
        std::string written = text;
        mpfr_free_str(text);
        mpfr_clear(half);
        return "0." + written + "e" + std::to_string(decimalExponent);
    }

    std::mt19937_64 random_;
};

std::string Describe(PortableExtended x) {
    char text[40];
    std::snprintf(text, sizeof text, "%04x:%016llx", x.signExponent,
                  static_cast<unsigned long long>(x.significand));
    return text;
}

// Against MPFR and the C library's strtold (the x87 path of StrToFloat).
TEST(DecimalToExtended, EqualsMpfrAndStrtold) {
    TextMaker make(4);
    const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const std::uint64_t cases = CasesFromEnvironment(60'000);
    std::uint64_t differences = 0;
    for (std::uint64_t i = 0; i < cases && differences < 10; ++i) {
        const std::string text = make.Next();
        const PortableExtended portable = DecimalToExtended(text);
        const PortableExtended mpfr = BitsOf(MpfrExtended(text));
        const PortableExtended library = BitsOf(strtold_l(text.c_str(), nullptr, c));
        if (portable.significand != mpfr.significand || portable.signExponent != mpfr.signExponent ||
            library.significand != mpfr.significand || library.signExponent != mpfr.signExponent) {
            ++differences;
            ADD_FAILURE() << text << ": portable " << Describe(portable) << ", MPFR "
                          << Describe(mpfr) << ", strtold " << Describe(library);
        }
    }
    freelocale(c);
    EXPECT_EQ(differences, 0U);
}

#endif

} // namespace
} // namespace signova
