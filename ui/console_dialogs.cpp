#include "ui/console_dialogs.h"


namespace {

constexpr std::string_view Prefix = "signova: ";
constexpr std::string_view AnsweredNo = " [answered No]";

} // namespace

void ConsoleDialogs::Write(const std::string& text, std::string_view ending) {
    // A text of several lines keeps the prefix on each, so that every line on
    // the stream says where it came from.
    std::string_view rest = text;
    for (;;) {
        const std::size_t end = rest.find('\n');
        out_ << Prefix << rest.substr(0, end);
        if (end == std::string_view::npos) {
            out_ << ending << '\n';
            break;
        }
        out_ << '\n';
        rest.remove_prefix(end + 1);
    }
    out_.flush();
    ++written_;
}

signova::DialogResult ConsoleDialogs::AnswerNo(const std::string& text) {
    Write(text, AnsweredNo);
    return signova::DialogResult::No;
}

void ConsoleDialogs::ShowMessage(const std::string& text) {
    Write(text);
}

signova::DialogResult ConsoleDialogs::Confirm(const std::string& text) {
    return AnswerNo(text);
}

signova::DialogResult ConsoleDialogs::AskInformation(const std::string& text) {
    return AnswerNo(text);
}

void ConsoleDialogs::Inform(const std::string& text) {
    Write(text);
}

void ConsoleDialogs::ShowError(const std::string& text) {
    Write(text);
}

std::optional<std::string> ConsoleDialogs::ChooseFile() {
    return std::nullopt;
}
