#pragma once

#include "toolkit/dialogs.h"

#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace signova {

// Every error the program reports derives from this one class and carries the
// exact text the user sees. The text may quote a file's bytes, NUL included:
// read it whole through Text(); what() ends at the first NUL.
class SignovaError : public std::exception {
public:
    explicit SignovaError(std::string text)
        : text_(std::make_shared<const std::string>(std::move(text))) {}

    const std::string& Text() const noexcept { return *text_; }
    const char* what() const noexcept override { return text_->c_str(); }

private:
    // Shared, so that copying an error never throws.
    std::shared_ptr<const std::string> text_;
};

// A text that is not a number in the accepted grammar.
class ConversionError : public SignovaError {
public:
    explicit ConversionError(std::string_view text);
};

// A number too large for a double when it is stored.
class FloatOverflowError : public SignovaError {
public:
    FloatOverflowError() : SignovaError("Floating point overflow") {}
};

// A value that cannot be rounded to a signed 64-bit integer.
class InvalidOperationError : public SignovaError {
public:
    InvalidOperationError() : SignovaError("Invalid floating point operation") {}
};

// An error whose text names a file: its box never shortens the text, so the
// path is always shown whole.
class FileNamingError : public SignovaError {
public:
    using SignovaError::SignovaError;
};

class FileOpenError : public FileNamingError {
public:
    explicit FileOpenError(std::string_view path);
};

// A file the user chose to save into could not be written.
class FileWriteError : public FileNamingError {
public:
    explicit FileWriteError(std::string_view path);
};

class PointerSizeError : public SignovaError {
public:
    PointerSizeError() : SignovaError("Pointer size must be greater than zero") {}
};

// The text the default error handler shows: the error's text with a full stop
// appended when its last character sorts after ".".
std::string DefaultErrorText(std::string_view text);

// The default error handler: shows `error` in the error box with
// DefaultErrorText; an error naming a file goes to the box for those.
void ShowDefaultError(Dialogs& dialogs, const std::exception& error);

} // namespace signova
