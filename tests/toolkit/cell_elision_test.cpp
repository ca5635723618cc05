#include "toolkit/cell_elision.h"

#include "toolkit/shown_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace signova {
namespace {

// One pixel per character: the UTF-8 bytes of "…" count once.
int CharacterCount(std::string_view text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }));
}

struct ElisionCase {
    const char* name;
    std::string text;
    int available;
    std::optional<std::string> drawn; // nothing: drawn as it is, cut where the cell ends
};

class CellElision : public testing::TestWithParam<ElisionCase> {};

TEST_P(CellElision, KeepsTheWholeExponentOfANumberThatDoesNotFit) {
    EXPECT_EQ(ElidedCellText(GetParam().text, CharacterCount, GetParam().available),
              GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CellElision,
    testing::Values(
        ElisionCase{"Fits", "6.78e-06", 8, std::nullopt},
        ElisionCase{"OnePixelShort", "6.78e-06", 7, "6\u2026e-06"}, // no bare point
        ElisionCase{"LongMantissa", "6.78282030788523e-06", 13, "6.782820\u2026e-06"},
        ElisionCase{"CapitalEAndSigns", "-1.2345678E+300", 11, "-1.23\u2026E+300"},
        ElisionCase{"NoExponentIsOnlyCut", "0.0208333333333333", 12, std::nullopt},
        ElisionCase{"NoNumberIsOnlyCut", "see the table", 5, std::nullopt},
        ElisionCase{"ExponentWithoutDigitsIsNoNumber", "1.2345e", 4, std::nullopt},
        ElisionCase{"TextAfterTheExponentIsNoNumber", "1.2345e-06x", 8, std::nullopt},
        ElisionCase{"TooLargeForADoubleStillANumber", "1.0000000e400", 8, "1.0\u2026e400"},
        ElisionCase{"BeyondTheReaderIsNoNumber", "1.0000000e99999", 8, std::nullopt},
        // Only spaces are cut: the exponent shows whole.
        ElisionCase{"TrailingSpacesAreCut", "1.5e-06   ", 7, std::nullopt},
        ElisionCase{"TrailingSpacesLeftOut", "1.2345e-06  ", 9, "1.23\u2026e-06"},
        ElisionCase{"LeadingSpacesKept", "  1.2345e-06", 10, "  1.2\u2026e-06"},
        ElisionCase{"MantissaWithoutIntegerPart", ".5123456e-3", 6, ".5\u2026e-3"},
        // At least the first digit stays, even where that is cut in turn.
        ElisionCase{"NarrowerThanTheShortestForm", "-6.78282030788523e-06", 3, "-6\u2026e-06"},
        ElisionCase{"SingleDigitMantissaHasNothingToLeaveOut", "1e-0000000005", 5, std::nullopt}),
    [](const testing::TestParamInfo<ElisionCase>& info) { return info.param.name; });

// Laying out text takes time that grows with its length: a number of many
// thousand digits is never measured whole.
TEST(CellElisionWidths, LongNumberIsMeasuredOnlyInPartsACellCanHold) {
    const std::string number = "1." + std::string(100000, '5') + "e-7";
    std::size_t longestMeasured = 0;
    const TextWidth width = [&](std::string_view text) {
        longestMeasured = std::max(longestMeasured, text.size());
        return CharacterCount(text);
    };
    EXPECT_EQ(ElidedCellText(number, width, 10), "1.5555\u2026e-7");
    EXPECT_LE(longestMeasured, MaxShownCellLength);
}

} // namespace
} // namespace signova
