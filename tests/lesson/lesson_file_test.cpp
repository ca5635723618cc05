#include "coefficients/fir_table.h"
#include "lesson/byte_text.h"
#include "lesson/lesson_file.h"
#include "lesson/lesson_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace signova {
namespace {

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

TEST(LessonText, FirstLineNamesTheFormatAndItsVersion) {
    EXPECT_EQ(FirstLine(LessonText(StartUpLesson())), "{\"signova_lesson\": \"1.0\",");
    EXPECT_TRUE(NamesLessonFormat("{\"signova_lesson\": \"1.0\","));
    EXPECT_TRUE(NamesLessonFormat("  {\"signova_lesson\":\"7.3\"}"));
    EXPECT_FALSE(NamesLessonFormat("//SIGNOVA"));
    EXPECT_FALSE(NamesLessonFormat("{"));
}

TEST(LessonText, EveryMemberWrittenReadsBackTheSame) {
    Lesson lesson;
    lesson.page = LessonPage::Iir;
    lesson.rangeButton = 3;
    lesson.dial = 4700;
    lesson.waveform = PulseWave;
    lesson.amp = 3;
    lesson.gain = 0;
    lesson.bits = 8;
    lesson.sampleRate = 1200;
    lesson.timebaseItem = 0;
    lesson.inputItem = 2;
    lesson.filter = false;
    lesson.response = LessonResponse::Iir;
    lesson.spectrum = true;
    lesson.fileTitle = " last file";
    lesson.firTitle = "\xff\xfe not UTF-8";
    lesson.iirTitle = "caf\xc3\xa9";
    lesson.fir.rows = {{"h0", "1"}, {"", ""}, {"h2", std::string("a\0b", 3)}};
    lesson.iir.rows = {{"0", "  - - -", "1"}, {"1", "0.9", "\x80"}};
    lesson.notes = "Look at\nthe \"edges\"\t\\ here";
    const LessonRead read = ParseLesson(LessonText(lesson));
    EXPECT_EQ(read.lesson, lesson);
    EXPECT_TRUE(read.unknownKeys.empty());
}

TEST(LessonText, BytesThatAreNotUtf8AreWrittenAsLatin1) {
    Lesson lesson = StartUpLesson();
    lesson.fileTitle = "caf\xe9";
    lesson.firTitle = "caf\xc3\xa9";
    const std::string text = LessonText(lesson);
    EXPECT_NE(text.find("\"file_title\": {\"latin1\": \"caf\xc3\xa9\"}"), std::string::npos);
    EXPECT_NE(text.find("\"title\": \"caf\xc3\xa9\""), std::string::npos);
}

struct Utf8Case {
    std::string bytes;
    bool utf8;
};

class Utf8Check : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Check, AcceptsWhatJsonAccepts) {
    EXPECT_EQ(IsUtf8(GetParam().bytes), GetParam().utf8);
    // Either way the bytes come back from a lesson.
    Lesson lesson = StartUpLesson();
    lesson.notes = GetParam().bytes;
    EXPECT_EQ(ParseLesson(LessonText(lesson)).lesson.notes, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Utf8Check,
    ::testing::Values(Utf8Case{"", true}, Utf8Case{"plain", true},
                      Utf8Case{std::string("\0", 1), true}, Utf8Case{"\xc3\xa9", true},
                      Utf8Case{"\xf0\x9f\x8e\xb5", true}, Utf8Case{"\xf4\x8f\xbf\xbf", true},
                      Utf8Case{"\xe9", false}, Utf8Case{"\xc0\x80", false},
                      Utf8Case{"\xed\xa0\x80", false}, Utf8Case{"\xf4\x90\x80\x80", false},
                      Utf8Case{"\xe2\x82", false}, Utf8Case{"\xe0\x9f\xbf", false},
                      Utf8Case{"\xf0\x8f\xbf\xbf", false}, Utf8Case{"\x80", false}));

TEST(LessonRead, KeysLeftOutKeepTheirStartUpValues) {
    const LessonRead read = ParseLesson("{\"signova_lesson\": \"1.0\", \"dial\": 2000}");
    Lesson expected = StartUpLesson();
    expected.dial = 2000;
    EXPECT_EQ(read.lesson, expected);
    EXPECT_EQ(read.lesson.fir.rows.size(), 200u);
    EXPECT_EQ(FirValueCount(read.lesson.fir), 48);
}

TEST(LessonRead, UnknownKeysOfTheSameMajorVersionAreListed) {
    const LessonRead read = ParseLesson(
        "{\"signova_lesson\": \"1.4\", \"views\": {\"cursors\": true, \"spectrum\": true},\n"
        "\"tables\": {\"fir\": {\"zoom\": 1}, \"design\": {}}, \"a/b~\": 0}");
    EXPECT_TRUE(read.lesson.spectrum);
    EXPECT_EQ(read.unknownKeys, (std::vector<std::string>{"/views/cursors", "/tables/fir/zoom",
                                                          "/tables/design", "/a~1b~0"}));
}

TEST(LessonRead, FirValuesBeyondTheRowsFollowAnUnbrokenTable) {
    const LessonRead read = ParseLesson(
        "{\"signova_lesson\": \"1.0\", \"tables\": {\"fir\": "
        "{\"rows\": [[\"h0\", \"1\"]], \"beyond\": [\"2\", \"3\"]}}}");
    EXPECT_EQ(FirValueCount(read.lesson.fir), 3);
}

// The reader throws its range error while it parses; the lesson names it
// like any other problem instead of letting it escape.
TEST(LessonReader, RefusesANumberBeyondADouble) {
    try {
        ParseLesson("{\"signova_lesson\": \"1.0\", \"dial\": 1e999}");
        ADD_FAILURE() << "accepted";
    } catch (const LessonProblem& problem) {
        EXPECT_EQ(problem.Text(), "a number beyond the range of a double");
    }
}

TEST(LessonTables, ApplyEmptiesEveryCellBeyondTheTable) {
    CellStore grid = NewFirGrid();
    SimulatorState state;
    SetDefaultFirTable(grid, state);
    ApplyFirTable(LessonFirTable{{{"h0", "1"}, {"h1", "2"}}, {"3"}}, grid);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cell(1, 2), "3");
    EXPECT_EQ(grid.Cell(0, 2), "");
    EXPECT_EQ(grid.Cell(1, 3), "");
    EXPECT_EQ(grid.Cell(0, 47), "");
    grid.SetRowCount(200);
    EXPECT_EQ(grid.Cell(1, 47), "");
}

TEST(LessonTables, CaptureKeepsValuesBeyondOnlyWhenTheFilterReadsThem) {
    CellStore grid = NewFirGrid();
    grid.SetRowCount(2);
    grid.SetCell(1, 0, "1");
    grid.SetCell(1, 1, "2");
    grid.SetCell(1, 2, "3");
    grid.SetCell(1, 4, "5");
    EXPECT_EQ(CaptureFirTable(grid).beyond, std::vector<std::string>{"3"});
    grid.SetCell(1, 1, "");
    EXPECT_TRUE(CaptureFirTable(grid).beyond.empty());
}

} // namespace
} // namespace signova
