#include "toolkit/line_buffer.h"

#include "toolkit/errors.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace signova {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t ReadChunkSize = std::size_t{1} << 20;

// Reads the whole file into `contents`. A regular file is refused by its size
// before anything is read; reading also stops as soon as more than
// MaxReadableFileSize bytes have arrived, which guards files whose size the
// system does not know in advance (pipes, devices).
FileReadResult ReadWholeFile(const std::string& path, std::string& contents) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileOpenError(path);

    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0)
        throw FileOpenError(path);
    if (S_ISDIR(info.st_mode))
        throw FileOpenError(path);
    if (S_ISREG(info.st_mode)) {
        if (static_cast<std::uintmax_t>(info.st_size) > MaxReadableFileSize)
            return FileReadResult::TooLarge;
        contents.reserve(static_cast<std::size_t>(info.st_size) + ReadChunkSize);
    }

    for (;;) {
        const std::size_t start = contents.size();
        contents.resize(start + ReadChunkSize);
        const std::size_t got = std::fread(contents.data() + start, 1, ReadChunkSize, file.get());
        contents.resize(start + got);
        if (contents.size() > MaxReadableFileSize)
            return FileReadResult::TooLarge;
        if (got < ReadChunkSize) {
            if (std::ferror(file.get()) != 0)
                throw FileOpenError(path);
            return FileReadResult::Read;
        }
    }
}

} // namespace

std::string FileTooLargeText(std::string_view path) {
    std::string text = "File too large: ";
    text.append(path);
    return text;
}

FileReadResult LineBuffer::ReadFile(const std::string& path) {
    std::string contents;
    const FileReadResult result = ReadWholeFile(path, contents);
    if (result == FileReadResult::Read)
        SetText(contents);
    return result;
}

void LineBuffer::SetText(std::string_view text) {
    std::vector<std::string> lines;
    // Every line but the last ends at a CR or an LF: at most that many lines
    // plus one, so the list is allocated once.
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') +
                                           std::count(text.begin(), text.end(), '\r')) +
                  1);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    lines_ = std::move(lines);
}

const std::string& LineBuffer::Line(int index) const {
    static const std::string empty;
    if (index < 0 || index >= Count())
        return empty;
    return lines_[static_cast<std::size_t>(index)];
}

void LineBuffer::SetLine(int index, std::string text) {
    if (index < 0 || index >= Count())
        return;
    lines_[static_cast<std::size_t>(index)] = std::move(text);
}

void LineBuffer::DeleteLine(int index) {
    if (index < 0 || index >= Count())
        return;
    lines_.erase(lines_.begin() + index);
}

void LineBuffer::RewriteLines(const std::function<bool(std::string&)>& edit) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (!edit(lines_[i]))
            continue;
        if (kept != i)
            lines_[kept] = std::move(lines_[i]);
        ++kept;
    }
    lines_.resize(kept);
}

} // namespace signova
