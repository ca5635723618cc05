#include "coefficients/coefficient_file.h"

#include "tests/support/test_files.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace signova {
namespace {

using Lines = std::vector<std::string>;
using Calls = std::vector<std::string>;
using testing::ScriptedDialogs;

const std::string HeaderQuestion = "confirm: This is no standard SIGNOVA file. Continue?";
const std::string FirKindQuestion = "ask: This is no FIR-file. Continue?";
const std::string IirKindQuestion = "ask: This is no IIR-file. Continue?";
const std::string NotLoaded = "inform: Data not loaded";
const std::string NotProperIir = "inform: This is not a proper IIR-file";

// One call of PrepareCoefficientFile on a fixture, with what it left behind.
struct Prepared {
    Lines lines;
    SimulatorState state;
    Calls calls;
};

Prepared Prepare(const std::string& file, const char* kind, std::deque<DialogResult> answers = {},
                 SimulatorState state = {}) {
    LineBuffer lines = ReadDataFile(file);
    ScriptedDialogs dialogs(std::move(answers));
    PrepareCoefficientFile(state, lines, kind, dialogs);
    EXPECT_EQ(dialogs.answers.size(), 0u) << file;
    return {lines.Lines(), state, dialogs.shown};
}

TEST(CoefficientFile, FourTapExampleCleansToFourValues) {
    const Prepared result = Prepare("four_tap_moving_average.txt", "FIR");
    EXPECT_EQ(result.lines, (Lines{"0.25", "0.25", "0.25   ", "0.25"}));
    EXPECT_EQ(result.state.FileTitle, " Moving average, four taps");
    EXPECT_FALSE(result.state.LoadError);
    EXPECT_EQ(result.calls, Calls{});
    EXPECT_EQ(result.state.IirOrder, 0); // only IIR files set the order
}

TEST(CoefficientFile, IirExampleCleansToFourValuesOfOrderTwo) {
    const Prepared result = Prepare("first_order_low_pass.txt", "IIR");
    EXPECT_EQ(result.lines, (Lines{"0", "0.9", "0.1", "0"}));
    EXPECT_EQ(result.state.FileTitle, " First-order low-pass");
    EXPECT_EQ(result.state.IirOrder, 2);
    EXPECT_FALSE(result.state.LoadError);
    EXPECT_EQ(result.calls, Calls{});
}

// The header question and what each answer leads to.
struct HeaderCase {
    const char* name;
    const char* file;
    DialogResult answer;
    bool refused;
};

class CoefficientFileHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(CoefficientFileHeader, AsksAndGoesOnUnlessTheAnswerIsNo) {
    const HeaderCase& c = GetParam();
    const Lines original = ReadDataFile(c.file).Lines();
    SimulatorState before;
    before.FileTitle = "old";
    const Prepared result = Prepare(c.file, "FIR", {c.answer}, before);
    if (c.refused) {
        EXPECT_EQ(result.calls, (Calls{HeaderQuestion, NotLoaded}));
        EXPECT_TRUE(result.state.LoadError);
        EXPECT_EQ(result.lines, original);
    } else {
        EXPECT_EQ(result.calls, Calls{HeaderQuestion});
        EXPECT_FALSE(result.state.LoadError);
        // The first line, not being a comment, is cleaned and kept like any other.
        EXPECT_EQ(result.lines, (Lines{"0.5", "0.25"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    CoefficientFile, CoefficientFileHeader,
    ::testing::Values(
        HeaderCase{"MissingAnsweredYes", "missing_header.txt", DialogResult::Yes, false},
        HeaderCase{"MissingAnsweredNo", "missing_header.txt", DialogResult::No, true},
        HeaderCase{"MissingClosedByTitleBar", "missing_header.txt", DialogResult::Cancel, false},
        HeaderCase{"LowerCaseAnsweredYes", "lower_case_header.txt", DialogResult::Yes, false},
        HeaderCase{"LowerCaseAnsweredNo", "lower_case_header.txt", DialogResult::No, true},
        HeaderCase{"LowerCaseClosedByTitleBar", "lower_case_header.txt", DialogResult::Cancel,
                   false},
        HeaderCase{"TrailingSpaceAnsweredYes", "header_with_trailing_space.txt", DialogResult::Yes,
                   false},
        HeaderCase{"TrailingSpaceAnsweredNo", "header_with_trailing_space.txt", DialogResult::No,
                   true}),
    [](const ::testing::TestParamInfo<HeaderCase>& info) { return info.param.name; });

TEST(CoefficientFile, RefusedHeaderLooksAtNoTag) {
    SimulatorState before;
    before.FileTitle = "old";
    const Prepared result = Prepare("missing_header.txt", "IIR", {DialogResult::No}, before);
    EXPECT_EQ(result.state.FileTitle, "");
    EXPECT_EQ(result.state.IirOrder, 0);
}

TEST(CoefficientFile, KindMismatchAnsweredNoRefusesTheFile) {
    const Lines original = ReadDataFile("type_iir.txt").Lines();
    const Prepared result = Prepare("type_iir.txt", "FIR", {DialogResult::No});
    EXPECT_EQ(result.calls, (Calls{FirKindQuestion, NotLoaded}));
    EXPECT_TRUE(result.state.LoadError);
    EXPECT_EQ(result.lines, original);
}

TEST(CoefficientFile, KindMismatchAnsweredYesOrCancelGoesOn) {
    for (const DialogResult answer : {DialogResult::Yes, DialogResult::Cancel}) {
        const Prepared result = Prepare("type_fir.txt", "IIR", {answer});
        EXPECT_EQ(result.calls, Calls{IirKindQuestion});
        EXPECT_FALSE(result.state.LoadError);
        EXPECT_EQ(result.lines, (Lines{"0.5", "0.5"}));
        EXPECT_EQ(result.state.IirOrder, 1);
    }
}

TEST(CoefficientFile, KindIsCaseSensitive) {
    const Prepared result = Prepare("type_lower_case_fir.txt", "FIR", {DialogResult::Yes});
    EXPECT_EQ(result.calls, Calls{FirKindQuestion});
}

TEST(CoefficientFile, TypeNamingBothKindsPassesForBoth) {
    EXPECT_EQ(Prepare("type_names_both_kinds.txt", "FIR").calls, Calls{});
    EXPECT_EQ(Prepare("type_names_both_kinds.txt", "IIR").calls, Calls{});
}

TEST(CoefficientFile, EveryMismatchingTypeLineAsksAgain) {
    const Prepared result =
        Prepare("two_type_lines.txt", "FIR", {DialogResult::Yes, DialogResult::Yes});
    EXPECT_EQ(result.calls, (Calls{FirKindQuestion, FirKindQuestion}));
    EXPECT_EQ(result.lines, (Lines{"0.5", "0.5"}));
}

TEST(CoefficientFile, RefusalAtTheKindKeepsATitleTakenBefore) {
    const Prepared result = Prepare("title_then_kind_mismatch.txt", "FIR", {DialogResult::No});
    EXPECT_EQ(result.state.FileTitle, " Refused at the kind");
    EXPECT_TRUE(result.state.LoadError);
}

TEST(CoefficientFile, TheLastTitleCounts) {
    EXPECT_EQ(Prepare("two_titles.txt", "FIR").state.FileTitle, " Second");
}

TEST(CoefficientFile, TitleIsTheLineWithoutItsFirstSevenBytes) {
    const Prepared result = Prepare("title_inside_value_line.txt", "FIR");
    EXPECT_EQ(result.state.FileTitle, "ITLE x");
    EXPECT_EQ(result.lines, (Lines{"0.5 ", "0.25"}));
}

TEST(CoefficientFile, FileWithoutTitleLineHasAnEmptyTitle) {
    SimulatorState before;
    before.FileTitle = " Title of the file before";
    EXPECT_EQ(Prepare("no_title.txt", "FIR", {}, before).state.FileTitle, "");
}

// One fixture and the lines it cleans to.
struct CleaningCase {
    const char* name;
    const char* file;
    Lines lines;
};

class CoefficientFileCleaning : public ::testing::TestWithParam<CleaningCase> {};

TEST_P(CoefficientFileCleaning, CleansEachLineOnce) {
    const Prepared result = Prepare(GetParam().file, "FIR");
    EXPECT_EQ(result.lines, GetParam().lines);
    EXPECT_EQ(result.calls, Calls{});
}

INSTANTIATE_TEST_SUITE_P(
    CoefficientFile, CoefficientFileCleaning,
    ::testing::Values(
        CleaningCase{
            "CommentOfFiftyBytesRemovedWhole", "trailing_comment_of_50.txt", {"0.5 ", "0.25"}},
        CleaningCase{"CommentOverFiftyBytesLeavesItsTail",
                     "trailing_comment_over_50.txt",
                     {"0.5 TAIL // again", "0.25"}},
        CleaningCase{"TabBeforeCommentStays", "tab_before_comment.txt", {"0.5\t", "0.25"}},
        CleaningCase{"SpacesBeforeCommentStay", "spaces_before_comment.txt", {"  ", "0.25"}},
        CleaningCase{"FirstCommaOnlyAfterTheComment",
                     "decimal_commas.txt",
                     {"0.5", "1.5e-3", "1.234,5", "0.5 ", "-2.5 "}},
        CleaningCase{"CommentLinesInARow", "comment_lines_in_a_row.txt", {"1.5", "2.5,5"}},
        CleaningCase{"OnlyTags", "only_tags.txt", {}},
        CleaningCase{"CrLineEnds", "cr_line_ends.txt", {"0.5", "0.25 ", "0.125"}},
        CleaningCase{"CrLfLineEnds", "crlf_line_ends.txt", {"0.5", "0.25 ", "0.125"}},
        CleaningCase{"LfLineEnds", "lf_line_ends.txt", {"0.5", "0.25 ", "0.125"}}),
    [](const ::testing::TestParamInfo<CleaningCase>& info) { return info.param.name; });

TEST(CoefficientFile, EmptyFileAsksForTheHeaderAndCleansToNothing) {
    const Prepared result = Prepare("empty.txt", "FIR", {DialogResult::Yes});
    EXPECT_EQ(result.calls, Calls{HeaderQuestion});
    EXPECT_EQ(result.lines, Lines{});
    EXPECT_FALSE(result.state.LoadError);
}

TEST(CoefficientFile, EmptyIirFileIsNotAProperIirFile) {
    const Prepared result = Prepare("empty.txt", "IIR", {DialogResult::Yes});
    EXPECT_EQ(result.calls, (Calls{HeaderQuestion, NotProperIir}));
    EXPECT_TRUE(result.state.LoadError);
    EXPECT_EQ(result.state.IirOrder, 0);
}

TEST(CoefficientFile, IirFileOfOneLineIsNotAProperIirFile) {
    const Prepared result = Prepare("iir_1_line.txt", "IIR");
    EXPECT_EQ(result.calls, Calls{NotProperIir});
    EXPECT_TRUE(result.state.LoadError);
}

TEST(CoefficientFile, IirOrderIsHalfTheLinesRoundedDown) {
    EXPECT_EQ(Prepare("iir_7_lines.txt", "IIR").state.IirOrder, 3);
    EXPECT_EQ(Prepare("iir_200_lines.txt", "IIR").state.IirOrder, 100);
    EXPECT_EQ(Prepare("iir_202_lines.txt", "IIR").state.IirOrder, 101);
}

TEST(CoefficientFile, LoadErrorIsNeverClearedHere) {
    SimulatorState before;
    before.LoadError = true;
    EXPECT_TRUE(Prepare("four_tap_moving_average.txt", "FIR", {}, before).state.LoadError);
}

} // namespace
} // namespace signova
