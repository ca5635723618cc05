#include "toolkit/errors.h"

#include <gtest/gtest.h>

namespace signova {
namespace {

TEST(DefaultErrorText, AddsFullStopAfterLetterOrQuote) {
    EXPECT_EQ(DefaultErrorText("Floating point overflow"), "Floating point overflow.");
    EXPECT_EQ(DefaultErrorText("'' is not a valid floating point value"),
              "'' is not a valid floating point value.");
    EXPECT_EQ(DefaultErrorText("ends in 9"), "ends in 9.");
}

TEST(DefaultErrorText, KeepsTextEndingAtOrBelowFullStop) {
    EXPECT_EQ(DefaultErrorText("Done."), "Done.");
    EXPECT_EQ(DefaultErrorText("Really!"), "Really!");
    EXPECT_EQ(DefaultErrorText("a-"), "a-");
    EXPECT_EQ(DefaultErrorText(""), "");
}

TEST(ErrorTexts, AreTheProgramsOwn) {
    EXPECT_STREQ(ConversionError("abc").what(), "'abc' is not a valid floating point value");
    EXPECT_STREQ(FloatOverflowError().what(), "Floating point overflow");
    EXPECT_STREQ(InvalidOperationError().what(), "Invalid floating point operation");
    EXPECT_STREQ(FileOpenError("/tmp/x.txt").what(), "Cannot open file /tmp/x.txt");
    EXPECT_STREQ(FileWriteError("/tmp/x.csv").what(), "Cannot write file /tmp/x.csv");
    EXPECT_STREQ(PointerSizeError().what(), "Pointer size must be greater than zero");
}

} // namespace
} // namespace signova
