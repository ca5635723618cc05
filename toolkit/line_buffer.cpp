#include "toolkit/line_buffer.h"

#include "toolkit/errors.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace signova {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    int Get() const { return descriptor_; }

private:
    int descriptor_;
};

constexpr std::size_t ReadChunkSize = std::size_t{1} << 20;

bool IsRegularFile(const struct stat& info) {
    return S_ISREG(info.st_mode);
}

} // namespace

// Reads the whole file into `contents`. Only a regular file is read: a named
// pipe, a device, a socket or a folder cannot be opened. The type is checked
// before the file is opened, because opening a named pipe waits for a writer
// and would hang the window; the open itself does not wait either, in case
// the path is swapped for a pipe in between. A file is refused by its size
// before anything is read, and reading stops as soon as more than
// maxSize bytes have arrived from a file that grew meanwhile.
FileReadResult ReadWholeFile(const std::string& path, std::string& contents,
                             std::uintmax_t maxSize) {
    contents.clear();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !IsRegularFile(info))
        throw FileOpenError(path);
    if (static_cast<std::uintmax_t>(info.st_size) > maxSize)
        return FileReadResult::TooLarge;

    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !IsRegularFile(info))
        throw FileOpenError(path);
    if (static_cast<std::uintmax_t>(info.st_size) > maxSize)
        return FileReadResult::TooLarge;
    contents.reserve(static_cast<std::size_t>(info.st_size) + ReadChunkSize);

    for (;;) {
        const std::size_t start = contents.size();
        contents.resize(start + ReadChunkSize);
        const ssize_t got = ::read(file.Get(), contents.data() + start, ReadChunkSize);
        if (got < 0) {
            contents.resize(start);
            if (errno == EINTR)
                continue;
            throw FileOpenError(path);
        }
        contents.resize(start + static_cast<std::size_t>(got));
        if (contents.size() > maxSize)
            return FileReadResult::TooLarge;
        if (got == 0)
            return FileReadResult::Read;
    }
}

std::string FileTooLargeText(std::string_view path) {
    std::string text = "File too large: ";
    text.append(path);
    return text;
}

FileReadResult LineBuffer::ReadFile(const std::string& path) {
    std::string contents;
    const FileReadResult result = ReadWholeFile(path, contents, MaxReadableFileSize);
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
