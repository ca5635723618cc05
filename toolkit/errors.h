#pragma once

#include "toolkit/dialogs.h"

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace signova {

// Every error the program reports derives from this one class and carries the
// exact text the user sees.
class SignovaError : public std::runtime_error {
public:
    explicit SignovaError(const std::string& text) : std::runtime_error(text) {}
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

class FileOpenError : public SignovaError {
public:
    explicit FileOpenError(std::string_view path);
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
