#pragma once

// What the fuzz targets share: a failed check that names itself, and dialogs
// that record every box and answer the questions from the bits of one byte.

#include "toolkit/dialogs.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace signova::fuzz {

inline void Check(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

// One box as "<kind>: <text>".
using Boxes = std::vector<std::string>;

// Records every box. Each question takes the next two bits of `answers`
// (rotating): Ok, Yes, No or Cancel, so every answer occurs.
class RecordingDialogs : public Dialogs {
public:
    explicit RecordingDialogs(std::uint8_t answers) : answers_(answers) {}

    Boxes shown;

    // The answer the next question gets, without taking it.
    DialogResult NextAnswer() const { return static_cast<DialogResult>(answers_ % 4); }

    void ShowMessage(const std::string& text) override { shown.push_back("message: " + text); }
    DialogResult Confirm(const std::string& text) override {
        shown.push_back("confirm: " + text);
        return TakeAnswer();
    }
    DialogResult AskInformation(const std::string& text) override {
        shown.push_back("ask: " + text);
        return TakeAnswer();
    }
    void Inform(const std::string& text) override { shown.push_back("inform: " + text); }
    void ShowError(const std::string& text) override { shown.push_back("error: " + text); }
    std::optional<std::string> ChooseFile() override { return std::nullopt; }

private:
    DialogResult TakeAnswer() {
        const DialogResult answer = NextAnswer();
        answers_ = static_cast<std::uint8_t>((answers_ >> 2) | (answers_ << 6));
        return answer;
    }
    std::uint8_t answers_;
};

} // namespace signova::fuzz
