#pragma once

#include "toolkit/dialogs.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace signova {

// One box the program showed: its kind ("ShowMessage", "Confirm",
// "AskInformation", "Inform", "ShowError", "ChooseFile") and its text.
struct DialogCall {
    std::string kind;
    std::string text;
    bool operator==(const DialogCall&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const DialogCall& call) {
    return out << call.kind << "(\"" << call.text << "\")";
}

// Dialogs that record every call in order and answer the Yes/No questions
// from a script. A question with no scripted answer left fails the test.
class ScriptedDialogs : public Dialogs {
public:
    explicit ScriptedDialogs(std::deque<DialogResult> answers = {},
                             std::optional<std::string> chosenFile = std::nullopt)
        : answers_(std::move(answers)), chosenFile_(std::move(chosenFile)) {}

    void ShowMessage(const std::string& text) override { Record("ShowMessage", text); }
    DialogResult Confirm(const std::string& text) override { return Ask("Confirm", text); }
    DialogResult AskInformation(const std::string& text) override {
        return Ask("AskInformation", text);
    }
    void Inform(const std::string& text) override { Record("Inform", text); }
    void ShowError(const std::string& text) override { Record("ShowError", text); }
    std::optional<std::string> ChooseFile() override {
        Record("ChooseFile", "");
        return chosenFile_;
    }

    const std::vector<DialogCall>& Calls() const { return calls_; }
    std::size_t AnswersLeft() const { return answers_.size(); }

private:
    void Record(const char* kind, const std::string& text) { calls_.push_back({kind, text}); }
    DialogResult Ask(const char* kind, const std::string& text) {
        Record(kind, text);
        if (answers_.empty()) {
            ADD_FAILURE() << "unscripted question " << kind << "(\"" << text << "\")";
            return DialogResult::Cancel;
        }
        const DialogResult answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::deque<DialogResult> answers_;
    std::optional<std::string> chosenFile_;
    std::vector<DialogCall> calls_;
};

} // namespace signova
