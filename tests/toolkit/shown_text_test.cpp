#include "toolkit/shown_text.h"

#include <gtest/gtest.h>

#include <string>

namespace signova {
namespace {

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
const std::string LongPath = "Cannot open file /" + std::string(3000, 'd') + "/x.txt";

INSTANTIATE_TEST_SUITE_P(
    Messages, BoxText,
    testing::Values(
        BoxTextCase{"Short", "Floating point overflow.", NamesPath::No, "Floating point overflow."},
        BoxTextCase{"ExactlyTheLimit", Thousand, NamesPath::No, Thousand},
        BoxTextCase{"OneOver", Thousand + "y", NamesPath::No, Thousand + "..."},
        BoxTextCase{"TenMegabytes", "'" + std::string(10 << 20, '7') + "' is not a valid",
                    NamesPath::No, "'" + std::string(999, '7') + "..."},
        // A two-byte character across the limit is left out whole.
        BoxTextCase{"CharacterAcrossTheLimit", std::string(999, 'x') + "\xC3\xA9z", NamesPath::No,
                    std::string(999, 'x') + "..."},
        BoxTextCase{"CharacterEndingAtTheLimit", std::string(998, 'x') + "\xC3\xA9z", NamesPath::No,
                    std::string(998, 'x') + "\xC3\xA9..."},
        // Bytes that are no UTF-8 are cut where they stand.
        BoxTextCase{"StrayContinuationBytes", std::string(996, 'x') + std::string(6, '\x80'),
                    NamesPath::No, std::string(996, 'x') + std::string(4, '\x80') + "..."},
        BoxTextCase{"PathNeverCut", LongPath, NamesPath::Yes, LongPath}),
    [](const testing::TestParamInfo<BoxTextCase>& info) { return info.param.name; });

} // namespace
} // namespace signova
