#include "toolkit/errors.h"

namespace signova {
namespace {

std::string Joined(std::string_view before, std::string_view middle, std::string_view after) {
    std::string text;
    text.reserve(before.size() + middle.size() + after.size());
    text.append(before).append(middle).append(after);
    return text;
}

} // namespace

ConversionError::ConversionError(std::string_view text)
    : SignovaError(Joined("'", text, "' is not a valid floating point value")) {}

FileOpenError::FileOpenError(std::string_view path)
    : FileNamingError(Joined("Cannot open file ", path, "")) {}

FileWriteError::FileWriteError(std::string_view path)
    : FileNamingError(Joined("Cannot write file ", path, "")) {}

std::string DefaultErrorText(std::string_view text) {
    std::string shown(text);
    if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.')
        shown += '.';
    return shown;
}

void ShowDefaultError(Dialogs& dialogs, const std::exception& error) {
    const auto* ownError = dynamic_cast<const SignovaError*>(&error);
    const std::string text =
        DefaultErrorText(ownError != nullptr ? std::string_view(ownError->Text()) : error.what());
    if (dynamic_cast<const FileNamingError*>(&error) != nullptr)
        dialogs.ShowFileError(text);
    else
        dialogs.ShowError(text);
}

} // namespace signova
