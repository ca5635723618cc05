#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace signova {

// The largest file ReadFile accepts: 64 MiB. A coefficient file is a few
// kilobytes; anything far larger is a wrong choice in the file dialog, and
// reading it whole would only tie up the window.
constexpr std::uintmax_t MaxReadableFileSize = std::uintmax_t{64} * 1024 * 1024;

// What ReadFile did with the file.
enum class FileReadResult {
    Read,     // the buffer now holds the file's lines
    TooLarge, // the file is over MaxReadableFileSize: the buffer is unchanged;
              // the caller shows a plain box with FileTooLargeText(path)
};

// Reads a whole regular file into `contents` (replaced). Throws FileOpenError
// when the path is no regular file (a named pipe, a device, a folder) or cannot
// be read; it never waits for a pipe's writer. A file over `maxSize` bytes is
// not read: TooLarge, with `contents` left in any state.
FileReadResult ReadWholeFile(const std::string& path, std::string& contents,
                             std::uintmax_t maxSize);

// "File too large: " + path, the text of the box for FileReadResult::TooLarge.
std::string FileTooLargeText(std::string_view path);

// A list of 8-bit text lines: the hidden memo into which the Load buttons read
// a coefficient file. Lines are plain bytes; no encoding is assumed.
class LineBuffer {
public:
    LineBuffer() = default;
    explicit LineBuffer(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // Replaces the whole content by the file's lines (see SetText).
    // Throws FileOpenError ("Cannot open file " + path) when the file cannot be
    // opened or read or is no regular file (a named pipe, a device, a folder),
    // leaving the buffer unchanged; it never waits for a pipe's writer. A file
    // over MaxReadableFileSize is not read: TooLarge, buffer unchanged.
    FileReadResult ReadFile(const std::string& path);

    // Replaces the whole content by the lines of `text`. A line ends at CR LF,
    // at a CR alone or at an LF alone; the text after the final line break is
    // no line when it is empty. Long lines are kept whole.
    void SetText(std::string_view text);

    int Count() const { return static_cast<int>(lines_.size()); }
    // Line i; a line past the last one (or before the first) reads as empty.
    const std::string& Line(int index) const;
    void SetLine(int index, std::string text);
    // Deletes line i; later lines move up by one.
    void DeleteLine(int index);

    // Hands every line in order to `edit`, which may change it in place and
    // returns whether the line stays. Dropped lines are removed in the same
    // single pass, so cleaning a file takes time linear in its size.
    void RewriteLines(const std::function<bool(std::string&)>& edit);

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

} // namespace signova
