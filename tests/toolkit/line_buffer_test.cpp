#include "toolkit/line_buffer.h"

#include "tests/support/test_files.h"
#include "toolkit/errors.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace signova {
namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    Lines lines;
};

class LineBufferSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(LineBufferSplit, SplitsAtEveryKindOfLineBreak) {
    LineBuffer buffer;
    buffer.SetText(GetParam().text);
    EXPECT_EQ(buffer.Lines(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineBuffer, LineBufferSplit,
    testing::Values(
        SplitCase{"Empty", "", {}}, SplitCase{"OnlyABreak", "\n", {""}},
        SplitCase{"Lf", "a\nb\n", {"a", "b"}}, SplitCase{"Cr", "a\rb\r", {"a", "b"}},
        SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}}, SplitCase{"NoFinalBreak", "a\nb", {"a", "b"}},
        SplitCase{"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}},
        SplitCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
        SplitCase{"EmptyLinesKept", "\n\na\n\n", {"", "", "a", ""}},
        SplitCase{"Mixed", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        SplitCase{"EightBitBytes", "\xe9\xff\n\x01", {"\xe9\xff", "\x01"}},
        SplitCase{"LongLineKeptWhole", std::string(5000, 'x') + "\n", {std::string(5000, 'x')}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(LineBuffer, ReadsTheSameLinesWhateverTheLineEnds) {
    const Lines expected{"//SIGNOVA", "//TYPE FIR",   "//TITLE Line ends",
                         "0.5",       "0,25 // note", "0.125"};
    for (const char* name : {"lf_line_ends.txt", "cr_line_ends.txt", "crlf_line_ends.txt",
                             "no_final_line_break.txt"}) {
        EXPECT_EQ(ReadDataFile(name).Lines(), expected) << name;
    }
}

TEST(LineBuffer, ReadingReplacesTheWholeContent) {
    LineBuffer buffer(Lines{"TempMemo", "old", "lines", "here", "and", "more", "still"});
    ASSERT_EQ(buffer.ReadFile(DataFile("empty.txt")), FileReadResult::Read);
    EXPECT_EQ(buffer.Count(), 0);
}

TEST(LineBuffer, MissingFileThrowsCannotOpenAndKeepsTheContent) {
    LineBuffer buffer(Lines{"TempMemo"});
    const std::string path = DataFile("no_such_file.txt");
    try {
        buffer.ReadFile(path);
        FAIL() << "no error";
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
    }
    EXPECT_EQ(buffer.Lines(), Lines{"TempMemo"});
}

TEST(LineBuffer, DirectoryThrowsCannotOpen) {
    LineBuffer buffer;
    EXPECT_THROW(buffer.ReadFile(SIGNOVA_TEST_DATA_DIR), FileOpenError);
}

// Reads `path` on another thread, so that a read which waits for a pipe's
// writer fails the test instead of hanging it: the test then opens the pipe
// for writing itself, which lets the read go on.
std::future<void> ReadElsewhere(LineBuffer& buffer, const std::string& path) {
#if defined(__EMSCRIPTEN__)
    // The WebAssembly build has no threads (std::async would never start): the
    // read runs here, and one that waited would hang until ctest's time-out.
    std::promise<void> done;
    try {
        buffer.ReadFile(path);
        done.set_value();
    } catch (...) {
        done.set_exception(std::current_exception());
    }
    return done.get_future();
#else
    return std::async(std::launch::async, [&buffer, path] { buffer.ReadFile(path); });
#endif
}

void ExpectNotWaiting(std::future<void>& read, const std::string& path) {
    if (read.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
        return;
    ADD_FAILURE() << "the read of " << path << " waited";
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer < 0)
        std::abort();
    ::close(writer);
}

TEST(LineBuffer, FileThatIsNoRegularFileThrowsCannotOpenWithoutWaiting) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("signova_fifo_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string fifo = (folder / "pipe.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
#if defined(__EMSCRIPTEN__)
    // Node's file system, which the WebAssembly build reads through, has no
    // named pipes: there mkfifo makes a plain empty file.
    const std::vector<std::string> paths{"/dev/zero"};
#else
    const std::vector<std::string> paths{fifo, "/dev/zero"};
#endif
    for (const std::string& path : paths) {
        LineBuffer buffer(Lines{"TempMemo"});
        std::future<void> read = ReadElsewhere(buffer, path);
        ExpectNotWaiting(read, path);
        try {
            read.get();
            ADD_FAILURE() << path << ": no error";
        } catch (const FileOpenError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
        }
        EXPECT_EQ(buffer.Lines(), Lines{"TempMemo"}) << path;
    }
    std::filesystem::remove_all(folder);
}

// A sparse file of the given size in a fresh temporary folder.
class LineBufferLargeFile : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("signova_line_buffer_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string SparseFile(std::uintmax_t size) {
        const auto path = folder_ / "large.txt";
        std::ofstream(path).put('0');
        std::filesystem::resize_file(path, size);
        return path.string();
    }

    std::filesystem::path folder_;
};

TEST_F(LineBufferLargeFile, FileOver64MiBIsRefusedAndChangesNothing) {
    LineBuffer buffer(Lines{"TempMemo"});
    const std::string path = SparseFile(MaxReadableFileSize + 1);
    EXPECT_EQ(buffer.ReadFile(path), FileReadResult::TooLarge);
    EXPECT_EQ(buffer.Lines(), Lines{"TempMemo"});
    EXPECT_EQ(FileTooLargeText(path), "File too large: " + path);
}

TEST_F(LineBufferLargeFile, FileOfExactly64MiBIsRead) {
    LineBuffer buffer;
    ASSERT_EQ(buffer.ReadFile(SparseFile(MaxReadableFileSize)), FileReadResult::Read);
    ASSERT_EQ(buffer.Count(), 1);
    EXPECT_EQ(buffer.Line(0).size(), MaxReadableFileSize);
    EXPECT_EQ(buffer.Line(0).front(), '0');
}

TEST(LineBuffer, LinePastTheEndReadsEmpty) {
    const LineBuffer buffer(Lines{"a"});
    EXPECT_EQ(buffer.Line(1), "");
    EXPECT_EQ(buffer.Line(-1), "");
}

TEST(LineBuffer, DeleteMovesLaterLinesUp) {
    LineBuffer buffer(Lines{"a", "b", "c"});
    buffer.DeleteLine(0);
    buffer.SetLine(1, "C");
    EXPECT_EQ(buffer.Lines(), (Lines{"b", "C"}));
}

TEST(LineBuffer, RewriteVisitsEveryLineOnceInOrderAndDropsInOnePass) {
    LineBuffer buffer(Lines{"x1", "k2", "x3", "x4", "k5", "k6", "x7"});
    Lines visited;
    buffer.RewriteLines([&](std::string& line) {
        visited.push_back(line);
        line += "!";
        return line.front() == 'k';
    });
    EXPECT_EQ(visited, (Lines{"x1", "k2", "x3", "x4", "k5", "k6", "x7"}));
    EXPECT_EQ(buffer.Lines(), (Lines{"k2!", "k5!", "k6!"}));
}

} // namespace
} // namespace signova
