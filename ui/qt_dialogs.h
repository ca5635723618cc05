#pragma once

#include "toolkit/dialogs.h"

class QWidget;

// The program's message boxes and file dialogs, as real Qt dialogs. A box
// shows its message as plain text, shortened by ShownBoxText.
class QtDialogs : public signova::Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text) override;
    signova::DialogResult Confirm(const std::string& text) override;
    signova::DialogResult ConfirmFile(const std::string& text) override;
    signova::DialogResult AskInformation(const std::string& text) override;
    void Inform(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowFileError(const std::string& text) override;
    std::optional<std::string> ChooseFile() override;
    std::optional<std::string> ChooseLessonFile() override;
    std::optional<std::string> ChooseSaveFile(const std::string& fileType,
                                              const std::string& suffix) override;
    std::optional<std::string> ChooseSaveFileWithNote(const std::string& fileType,
                                                      const std::string& suffix,
                                                      const std::string& note) override;

private:
    QWidget* parent_;
};
