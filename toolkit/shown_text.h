#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace signova {

// Widgets lay out text in time that grows with its length; a file can hold a
// line of many megabytes. What the window shows of a long text is therefore
// cut, while the text itself stays whole wherever it is kept.

// The most characters of a message a box lays out; a longer message shows its
// first MaxBoxTextLength characters followed by "...". Laying out a whole
// 10 MB message kept the window busy for over a minute.
constexpr std::size_t MaxBoxTextLength = 1000;
// A table cell shows at most this many characters: more than the widest
// column on a screen can hold.
constexpr std::size_t MaxShownCellLength = 1000;
// A file title label shows at most this many characters of the title, far
// more than its width holds.
constexpr std::size_t MaxShownTitleLength = 300;

// Whether a message names a file; a path is never shortened, so that the box
// never shows a wrong one.
enum class NamesPath { No, Yes };

// The text a message box shows for `message`: a NUL byte, which would end the
// text in many places, as the two characters \0; every other byte as it is.
std::string ShownBoxText(std::string_view message, NamesPath path);

// The first `maxLength` bytes of `text`, or fewer so that the cut does not
// split a UTF-8 character; text that is no UTF-8 is cut at `maxLength`.
std::string_view ShownStart(std::string_view text, std::size_t maxLength);

} // namespace signova
