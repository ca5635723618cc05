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
    if (path == NamesPath::Yes || message.size() <= MaxBoxTextLength)
        return std::string(message);
    std::string shown(ShownStart(message, MaxBoxTextLength));
    shown += "...";
    return shown;
}

} // namespace signova
