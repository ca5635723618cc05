#include "toolkit/bit_cast.h"
#include "toolkit/float_chars.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace signova {
namespace {

// std::bit_cast, or the builtin standing in for it: exact bits, also at
// compile time.
static_assert(std::bit_cast<std::uint64_t>(1.0) == 0x3FF0000000000000ULL);
static_assert(std::bit_cast<double>(0x8000000000000001ULL) == -0x1p-1074);

TEST(BitCast, KeepsEveryBitOfANaN) {
    const std::uint64_t bits = 0xFFF4000000000123ULL;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(std::bit_cast<double>(bits)), bits);
}

enum class Form { Shortest, Fixed, Scientific };

struct Written {
    double value;
    Form form;
    int precision;
    const char* text;
};

std::string Text(double value, Form form, int precision, bool viaPrintf) {
    std::array<char, 400> buffer{};
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    const auto format =
        form == Form::Fixed ? std::chars_format::fixed : std::chars_format::scientific;
    std::to_chars_result result{};
    if (form == Form::Shortest)
        result =
            viaPrintf ? PrintfDoubleToChars(first, last, value) : DoubleToChars(first, last, value);
    else
        result = viaPrintf ? PrintfDoubleToChars(first, last, value, format, precision)
                           : DoubleToChars(first, last, value, format, precision);
    EXPECT_EQ(result.ec, std::errc{});
    return std::string(first, result.ptr);
}

class DoubleText : public ::testing::TestWithParam<Written> {};

// The texts std::to_chars writes, on every platform and by the printf path.
TEST_P(DoubleText, IsWhatToCharsWrites) {
    const Written& w = GetParam();
    EXPECT_EQ(Text(w.value, w.form, w.precision, false), w.text);
    EXPECT_EQ(Text(w.value, w.form, w.precision, true), w.text);
}

constexpr double Infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, DoubleText,
    ::testing::Values(
        Written{0.1, Form::Shortest, 0, "0.1"}, Written{-0.0, Form::Shortest, 0, "-0"},
        Written{2047.0, Form::Shortest, 0, "2047"}, Written{-1.5, Form::Shortest, 0, "-1.5"},
        // As long either way: fixed.
        Written{0.001, Form::Shortest, 0, "0.001"}, Written{0.0001, Form::Shortest, 0, "1e-04"},
        Written{1e21, Form::Shortest, 0, "1e+21"}, Written{1e15, Form::Shortest, 0, "1e+15"},
        Written{123456.0, Form::Shortest, 0, "123456"},
        // A whole number too long for the shortest digits: its exact digits.
        Written{123456789012345680000.0, Form::Shortest, 0, "123456789012345683968"},
        Written{0x1p-1074, Form::Shortest, 0, "5e-324"},
        Written{0x1.fffffffffffffp+1023, Form::Shortest, 0, "1.7976931348623157e+308"},
        Written{1.0 / 3, Form::Shortest, 0, "0.3333333333333333"},
        Written{-Infinity, Form::Shortest, 0, "-inf"},
        // The exact binary value rounds: 0.125 is a tie (to even), 0.3 is not.
        Written{0.125, Form::Fixed, 2, "0.12"}, Written{0.375, Form::Fixed, 2, "0.38"},
        Written{0.3, Form::Fixed, 20, "0.29999999999999998890"},
        Written{-2.5, Form::Fixed, 0, "-2"},
        Written{1e22, Form::Fixed, 1, "10000000000000000000000.0"},
        Written{0.1, Form::Scientific, 17, "1.00000000000000006e-01"},
        Written{2047.0, Form::Scientific, 2, "2.05e+03"},
        Written{0x1p-1074, Form::Scientific, 3, "4.941e-324"},
        Written{0.0, Form::Scientific, 0, "0e+00"}));

TEST(DoubleText, TooLongForTheBufferIsRefused) {
    std::array<char, 4> buffer{};
    const auto result = DoubleToChars(buffer.data(), buffer.data() + buffer.size(), 12345.0);
    EXPECT_EQ(result.ec, std::errc::value_too_large);
    EXPECT_EQ(result.ptr, buffer.data() + buffer.size());
    const auto printed = PrintfDoubleToChars(buffer.data(), buffer.data() + buffer.size(), 0.5,
                                             std::chars_format::fixed, 3);
    EXPECT_EQ(printed.ec, std::errc::value_too_large);
}

#if defined(__cpp_lib_to_chars)
// Where the library has the floating-point overloads, the printf path writes
// the same characters for random bit patterns, whole numbers and short
// decimals, in all three forms.
TEST(DoubleText, PrintfPathMatchesTheLibrary) {
    std::mt19937_64 random(21);
    int differences = 0;
    for (int i = 0; i < 30000; ++i) {
        double value = 0;
        switch (i % 3) {
        case 0:
            do
                value = std::bit_cast<double>(random());
            while (std::isnan(value));
            break;
        case 1:
            value = static_cast<double>(static_cast<std::int64_t>(random() >> (random() % 64)));
            break;
        default:
            value = static_cast<double>(random() % 100000) / std::pow(10.0, random() % 12);
        }
        const int precision = static_cast<int>(random() % 20);
        for (const Form form : {Form::Shortest, Form::Fixed, Form::Scientific}) {
            const std::string library = Text(value, form, precision, false);
            const std::string printed = Text(value, form, precision, true);
            if (library != printed && ++differences <= 10)
                ADD_FAILURE() << std::hexfloat << value << " precision " << precision << ": "
                              << library << " against " << printed;
        }
    }
    EXPECT_EQ(differences, 0);
}
#endif

} // namespace
} // namespace signova
