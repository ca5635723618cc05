#pragma once

#include "toolkit/dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace signova::testing {

// A Dialogs that records every box in order and answers from a script.
class ScriptedDialogs : public Dialogs {
public:
    // Each shown box as "<kind>: <text>", kind one of message, confirm, ask,
    // inform, error.
    std::vector<std::string> shown;
    std::deque<DialogResult> answers;             // for Confirm and AskInformation; Yes when empty
    std::deque<std::optional<std::string>> files; // for ChooseFile; cancel when empty

    void ShowMessage(const std::string& text) override { shown.push_back("message: " + text); }
    DialogResult Confirm(const std::string& text) override {
        shown.push_back("confirm: " + text);
        return Answer();
    }
    DialogResult AskInformation(const std::string& text) override {
        shown.push_back("ask: " + text);
        return Answer();
    }
    void Inform(const std::string& text) override { shown.push_back("inform: " + text); }
    void ShowError(const std::string& text) override { shown.push_back("error: " + text); }
    std::optional<std::string> ChooseFile() override {
        if (files.empty())
            return std::nullopt;
        std::optional<std::string> file = files.front();
        files.pop_front();
        return file;
    }

private:
    DialogResult Answer() {
        if (answers.empty())
            return DialogResult::Yes;
        const DialogResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace signova::testing
