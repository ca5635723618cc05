#include "toolkit/shown_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace signova {
namespace {

using namespace std::string_literals;

struct BoxTextCase {
    const char* name;
    std::string message;
    NamesPath path;
    std::string shown;
};

class BoxText : public testing::TestWithParam<BoxTextCase> {};

TEST_P(BoxText, ShowsAtMostTheFirstThousandCharactersUnlessAPathIsNamed) {
    EXPECT_EQ(ShownBoxText(GetParam().message, GetParam().path), GetParam().shown);
}

const std::string Thousand(1000, 'x');
const std::string LongPath = std::string("Cannot open file /") + std::string(3000, 'd') + "/x.txt";

std::string Repeated(std::string_view text, int count) {
    std::string repeated;
    for (int i = 0; i < count; ++i)
        repeated += text;
    return repeated;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, BoxText,
    testing::Values(
        BoxTextCase{"Short", "Floating point overflow.", NamesPath::No, "Floating point overflow."},
        BoxTextCase{"ExactlyTheLimit", Thousand, NamesPath::No, Thousand},
        BoxTextCase{"OneOver", Thousand + "y", NamesPath::No, Thousand + "..."},
        BoxTextCase{"TenMegabytes",
                    std::string("'") + std::string(10 << 20, '7') + "' is not a valid",
                    NamesPath::No, std::string("'") + std::string(999, '7') + "..."},
        // A two-byte character across the limit is left out whole.
        BoxTextCase{"CharacterAcrossTheLimit", std::string(999, 'x') + "\xC3\xA9z", NamesPath::No,
                    std::string(999, 'x') + "..."},
        BoxTextCase{"CharacterEndingAtTheLimit", std::string(998, 'x') + "\xC3\xA9z", NamesPath::No,
                    std::string(998, 'x') + "\xC3\xA9..."},
        // A four-byte character starting three bytes before the limit.
        BoxTextCase{"LongestCharacterAcrossTheLimit", std::string(997, 'x') + "\xF0\x9F\x98\x80z",
                    NamesPath::No, std::string(997, 'x') + "..."},
        // Bytes that are no UTF-8 are cut where they stand.
        BoxTextCase{"StrayContinuationBytes", std::string(996, 'x') + std::string(6, '\x80'),
                    NamesPath::No, std::string(996, 'x') + std::string(4, '\x80') + "..."},
        // A character's first byte lies at most three bytes before the cut:
        // here those three are continuation bytes too, so the cut stays.
        BoxTextCase{"StrayContinuationBytesFromThreeBeforeTheLimit",
                    std::string(997, 'x') + std::string(6, '\x80'), NamesPath::No,
                    std::string(997, 'x') + std::string(3, '\x80') + "..."},
        BoxTextCase{"PathNeverCut", LongPath, NamesPath::Yes, LongPath},
        // Only a NUL byte is shown in another way; a tab and 8-bit bytes stay.
        BoxTextCase{"NulByteShownAsBackslashZero",
                    "'0\0.\0"
                    "5\t\xE9'"s,
                    NamesPath::No, "'0\\0.\\05\t\xE9'"},
        BoxTextCase{"NulBytesCountOnceTowardsTheLimit", std::string(1001, '\0'), NamesPath::No,
                    Repeated("\\0", 1000) + "..."}),
    [](const testing::TestParamInfo<BoxTextCase>& info) { return info.param.name; });

} // namespace
} // namespace signova
