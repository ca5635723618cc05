#include "ui/guarded.h"

#include "tests/support/scripted_dialogs.h"
#include "toolkit/errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// Tells the error box for errors naming a file from the plain error box.
class FileErrorDialogs : public signova::testing::ScriptedDialogs {
public:
    void ShowFileError(const std::string& text) override { shown.push_back("file error: " + text); }
};

struct GuardedCase {
    const char* name;
    std::function<void()> handler;
    std::vector<std::string> shown;
};

class GuardedHandler : public ::testing::TestWithParam<GuardedCase> {};

TEST_P(GuardedHandler, ShowsTheErrorWithItsFullStopInItsBox) {
    FileErrorDialogs dialogs;
    Guarded(dialogs, GetParam().handler)();
    EXPECT_EQ(dialogs.shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, GuardedHandler,
    ::testing::Values(GuardedCase{"NoError", [] {}, {}},
                      GuardedCase{"ConversionError",
                                  [] { throw signova::ConversionError("abc"); },
                                  {"error: 'abc' is not a valid floating point value."}},
                      // A NUL byte from a file is part of the text, not its end.
                      GuardedCase{"TextWithNulByte",
                                  [] { throw signova::ConversionError("0.5\0\t1"s); },
                                  {"error: '0.5\0\t1' is not a valid floating point value."s}},
                      GuardedCase{"FileOpenError",
                                  [] { throw signova::FileOpenError("/tmp/a b.txt"); },
                                  {"file error: Cannot open file /tmp/a b.txt."}},
                      GuardedCase{"FileWriteError",
                                  [] { throw signova::FileWriteError("/tmp/a b.png"); },
                                  {"file error: Cannot write file /tmp/a b.png."}},
                      GuardedCase{"OtherException",
                                  [] { throw std::length_error("too long"); },
                                  {"error: too long."}}),
    [](const ::testing::TestParamInfo<GuardedCase>& info) { return info.param.name; });

} // namespace
