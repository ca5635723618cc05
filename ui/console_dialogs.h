#pragma once

#include "toolkit/dialogs.h"

#include <ostream>
#include <string>
#include <string_view>

// The dialogs of a run without a window: every box becomes lines on a stream
// (standard error), each line of its text after "signova: ", and every
// question is answered No, so nothing ever waits for a user. No file is
// chosen: a choice is cancelled.
class ConsoleDialogs : public signova::Dialogs {
public:
    explicit ConsoleDialogs(std::ostream& out) : out_(out) {}

    void ShowMessage(const std::string& text) override;
    signova::DialogResult Confirm(const std::string& text) override;
    signova::DialogResult AskInformation(const std::string& text) override;
    void Inform(const std::string& text) override;
    void ShowError(const std::string& text) override;
    std::optional<std::string> ChooseFile() override;

    // Boxes written so far.
    int Written() const { return written_; }

private:
    // The text, `ending` added to its last line.
    void Write(const std::string& text, std::string_view ending = {});
    signova::DialogResult AnswerNo(const std::string& text);

    std::ostream& out_;
    int written_ = 0;
};
