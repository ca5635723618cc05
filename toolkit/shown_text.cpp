#include "toolkit/shown_text.h"

namespace signova {
namespace {

bool IsUtf8ContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace

std::string_view ShownStart(std::string_view text, std::size_t maxLength) {
    if (text.size() <= maxLength)
        return text;
    // A UTF-8 character takes at most four bytes: at most three of them lie
    // before the cut.
    std::size_t cut = maxLength;
    while (cut > 0 && maxLength - cut < 3 && IsUtf8ContinuationByte(text[cut]))
        --cut;
    if (IsUtf8ContinuationByte(text[cut]))
        cut = maxLength;
    return text.substr(0, cut);
}

std::string ShownBoxText(std::string_view message, NamesPath path) {
    const std::string_view start =
        path == NamesPath::Yes ? message : ShownStart(message, MaxBoxTextLength);
    std::string shown;
    shown.reserve(start.size() + 3);
    for (const char byte : start) {
        if (byte == '\0')
            shown += "\\0";
        else
            shown += byte;
    }
    if (start.size() < message.size())
        shown += "...";
    return shown;
}

} // namespace signova
