#include "toolkit/errors.h"
#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace signova {
namespace {

struct Accepted {
    const char* text;
    double value;
};

class AcceptedNumber : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedNumber, ConvertsToTheNearestValue) {
    EXPECT_EQ(StrToFloat(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, AcceptedNumber,
    ::testing::Values(Accepted{"0", 0.0}, Accepted{"12", 12.0}, Accepted{"-3", -3.0},
                      Accepted{"+4", 4.0}, Accepted{"0.25", 0.25}, Accepted{".5", 0.5},
                      Accepted{"5.", 5.0}, Accepted{"-.5", -0.5}, Accepted{"1e3", 1000.0},
                      Accepted{"1E3", 1000.0}, Accepted{"1.5e-3", 0.0015}, Accepted{"2e+2", 200.0},
                      Accepted{"  7", 7.0}, Accepted{"7   ", 7.0}, Accepted{"  -1.25E1  ", -12.5},
                      Accepted{"0.0208333333333333", 0.0208333333333333}, Accepted{"1e-400", 0.0},
                      Accepted{"007", 7.0}));

class RefusedNumber : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedNumber, RaisesTheConversionErrorNamingTheText) {
    const std::string text = GetParam();
    try {
        StrToFloat(text);
        FAIL() << "accepted '" << text << "'";
    } catch (const ConversionError& error) {
        EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid floating point value");
    }
}

INSTANTIATE_TEST_SUITE_P(Grammar, RefusedNumber,
                         ::testing::Values("", " ", "  ", ".", "1e", "e5", "-", "+", "1e+", "abc",
                                           "0,5", "1.2.3", "1 2", "\t1", "1\t", "0.5\t// note",
                                           "--1", "+-1", "0x10", "inf", "nan", "1e5000", "1.234,5",
                                           "1d3", "1e3.5"));

TEST(NumberOverflow, ValueBeyondDoubleRangeOverflowsWhenStored) {
    EXPECT_THROW(StrToFloat("1e400"), FloatOverflowError);
    EXPECT_THROW(StrToFloat("-2e308"), FloatOverflowError);
    try {
        StrToFloat("1e400");
    } catch (const SignovaError& error) {
        EXPECT_STREQ(error.what(), "Floating point overflow");
    }
    EXPECT_EQ(StrToFloat("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

struct Formatted {
    double value;
    int precision;
    int decimals;
    const char* text;
};

class FixedFormat : public ::testing::TestWithParam<Formatted> {};

TEST_P(FixedFormat, RoundsHalvesUpInMagnitude) {
    const Formatted& f = GetParam();
    EXPECT_EQ(FormatFixed(f.value, f.precision, f.decimals), f.text)
        << f.value << " P=" << f.precision << " D=" << f.decimals;
}

INSTANTIATE_TEST_SUITE_P(
    Readouts, FixedFormat,
    ::testing::Values(Formatted{12.5, 4, 0, "13"}, Formatted{999.9, 4, 0, "1000"},
                      Formatted{10.5, 4, 3, "10.500"}, Formatted{10.0, 4, 0, "10"},
                      Formatted{1.0, 4, 3, "1.000"}, Formatted{0.9, 4, 3, "0.900"},
                      Formatted{11.0, 4, 3, "11.000"}, Formatted{1.0, 5, 2, "1.00"},
                      Formatted{110.0, 5, 2, "110.00"}, Formatted{9.0, 4, 0, "9"},
                      Formatted{1.04, 4, 2, "1.04"}, Formatted{0.9615384615384615, 4, 2, "0.96"},
                      Formatted{50.50494818426959, 4, 2, "50.50"},
                      Formatted{0.0198000392, 4, 2, "0.02"}, Formatted{0.004, 4, 2, "0.00"},
                      Formatted{0.005, 4, 2, "0.01"}, Formatted{-2.5, 4, 0, "-3"},
                      Formatted{-0.001, 4, 2, "0.00"}, Formatted{0.0, 4, 2, "0.00"},
                      Formatted{99.99, 4, 1, "100.0"}, Formatted{1234.5, 4, 2, "1235.00"},
                      Formatted{109.995, 5, 2, "110.00"}));

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(110.5), 110);
    EXPECT_EQ(RoundHalfEven(2.6795), 3);
    EXPECT_EQ(RoundHalfEven(2046.9999999999966), 2047);
    EXPECT_EQ(RoundHalfEven(-1e18), -1000000000000000000LL);
}

// Just below a half, at the last ties below 2^52 and past it, where every
// double is whole.
TEST(RoundHalfEven, ExactAtTheEdgesOfTheFractions) {
    EXPECT_EQ(RoundHalfEven(0.49999999999999994), 0);
    EXPECT_EQ(RoundHalfEven(-0.49999999999999994), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(4503599627370495.5), 4503599627370496LL);
    EXPECT_EQ(RoundHalfEven(4503599627370494.5), 4503599627370494LL);
    EXPECT_EQ(RoundHalfEven(-4503599627370493.5), -4503599627370494LL);
    EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497LL);
    EXPECT_EQ(RoundHalfEven(-18014398509481984.0), -18014398509481984LL);
}

TEST(RoundHalfEven, FailsBeyondSigned64BitRange) {
    EXPECT_EQ(RoundHalfEven(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(RoundHalfEven(9223372036854774784.0), 9223372036854774784LL);
    EXPECT_THROW(RoundHalfEven(9223372036854775808.0), InvalidOperationError);
    EXPECT_THROW(RoundHalfEven(-9223372036854777856.0), InvalidOperationError);
    EXPECT_THROW(RoundHalfEven(1e300), InvalidOperationError);
    EXPECT_THROW(RoundHalfEven(std::numeric_limits<double>::infinity()), InvalidOperationError);
    EXPECT_THROW(RoundHalfEven(std::nan("")), InvalidOperationError);
    try {
        RoundHalfEven(1e19);
    } catch (const SignovaError& error) {
        EXPECT_STREQ(error.what(), "Invalid floating point operation");
    }
}

} // namespace
} // namespace signova
