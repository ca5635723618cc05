#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace signova {

// Whether `bytes` is well-formed UTF-8 as JSON requires it: no overlong form,
// no surrogate, nothing above U+10FFFF, no sequence cut short.
bool IsUtf8(std::string_view bytes);

// Each byte as the character of the same number (Latin-1), in UTF-8.
std::string Latin1AsUtf8(std::string_view bytes);

// The bytes of a UTF-8 text whose every character is below U+0100, one byte
// per character; nothing when a character is U+0100 or above.
std::optional<std::string> Utf8AsLatin1(std::string_view text);

} // namespace signova
