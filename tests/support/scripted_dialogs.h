#pragma once

#include "toolkit/dialogs.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace signova::testing {

// A Dialogs that records every box in order and answers from a script. A
// question with no scripted answer left fails the test and answers Cancel.
class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs() = default;
    explicit ScriptedDialogs(std::deque<DialogResult> scriptedAnswers)
        : answers(std::move(scriptedAnswers)) {}

    // Each shown box as "<kind>: <text>", kind one of message, confirm, ask,
    // inform, error (ShowMessage, Confirm, AskInformation, Inform, ShowError).
    std::vector<std::string> shown;
    std::deque<DialogResult> answers;             // for Confirm and AskInformation
    std::deque<std::optional<std::string>> files; // for ChooseFile; cancel when empty
    // For ChooseSaveFile; cancel when empty. Each choice is recorded in
    // `saveChoices` as "<file type> (*.<suffix>)".
    std::deque<std::optional<std::string>> saveFiles;
    std::vector<std::string> saveChoices;
    std::deque<std::optional<std::string>> lessonFiles; // for ChooseLessonFile; cancel when empty

    void ShowMessage(const std::string& text) override { shown.push_back("message: " + text); }
    DialogResult Confirm(const std::string& text) override { return Ask("confirm: " + text); }
    DialogResult AskInformation(const std::string& text) override { return Ask("ask: " + text); }
    void Inform(const std::string& text) override { shown.push_back("inform: " + text); }
    void ShowError(const std::string& text) override { shown.push_back("error: " + text); }
    std::optional<std::string> ChooseFile() override {
        if (files.empty())
            return std::nullopt;
        std::optional<std::string> file = files.front();
        files.pop_front();
        return file;
    }
    std::optional<std::string> ChooseLessonFile() override {
        if (lessonFiles.empty())
            return std::nullopt;
        std::optional<std::string> file = lessonFiles.front();
        lessonFiles.pop_front();
        return file;
    }
    std::optional<std::string> ChooseSaveFile(const std::string& fileType,
                                              const std::string& suffix) override {
        saveChoices.push_back(fileType + " (*." + suffix + ")");
        if (saveFiles.empty())
            return std::nullopt;
        std::optional<std::string> file = saveFiles.front();
        saveFiles.pop_front();
        return file;
    }
    // Records the note in `saveNotes`, then chooses as ChooseSaveFile does.
    std::vector<std::string> saveNotes;
    std::optional<std::string> ChooseSaveFileWithNote(const std::string& fileType,
                                                      const std::string& suffix,
                                                      const std::string& note) override {
        saveNotes.push_back(note);
        return ChooseSaveFile(fileType, suffix);
    }

private:
    DialogResult Ask(std::string box) {
        shown.push_back(std::move(box));
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question " << shown.back();
            return DialogResult::Cancel;
        }
        const DialogResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace signova::testing
