#pragma once

#include <optional>
#include <string>

namespace signova {

// The button that closed a message box. A box closed by its title bar or by
// Esc answers Cancel.
enum class DialogResult { Ok, Yes, No, Cancel };

// Every kind of box the program shows, and the file-open and file-save
// choices. The window
// implements it with real dialogs; tests script it.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Plain box with an OK button, captioned with the program's title.
    virtual void ShowMessage(const std::string& text) = 0;
    // Confirmation box: question icon, Yes and No.
    virtual DialogResult Confirm(const std::string& text) = 0;
    // The confirmation box for a question that names a file: never shortened;
    // otherwise the same box.
    virtual DialogResult ConfirmFile(const std::string& text) { return Confirm(text); }
    // Information box with Yes and No.
    virtual DialogResult AskInformation(const std::string& text) = 0;
    // Information box with an OK button.
    virtual void Inform(const std::string& text) = 0;
    // Error box: error icon, OK; the default error handler's box.
    virtual void ShowError(const std::string& text) = 0;
    // The error box for an error that names a file. A box may shorten a long
    // text, but never one that names a path; otherwise the same error box.
    virtual void ShowFileError(const std::string& text) { ShowError(text); }
    // File-open dialog without a file-type filter: the chosen file's full
    // path, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseFile() = 0;
    // File-open dialog offering lesson files (and, on request, any file),
    // with the shipped lessons among its places: the chosen full path, or
    // nothing when the user cancels. Dialogs that open no lessons cancel.
    virtual std::optional<std::string> ChooseLessonFile() { return std::nullopt; }
    // File-save dialog for one type of file ("PNG image", suffix "png"): the
    // chosen full path, the suffix added when the name has none, or nothing
    // when the user cancels. It asks nothing about an existing file: the
    // caller does, through Confirm. Dialogs that offer no saving cancel.
    virtual std::optional<std::string> ChooseSaveFile(const std::string& fileType,
                                                      const std::string& suffix) {
        (void)fileType;
        (void)suffix;
        return std::nullopt;
    }
    // The same choice with a note shown in it (what the file will hold);
    // dialogs that show no note make the plain choice.
    virtual std::optional<std::string> ChooseSaveFileWithNote(const std::string& fileType,
                                                              const std::string& suffix,
                                                              const std::string& note) {
        (void)note;
        return ChooseSaveFile(fileType, suffix);
    }
};

} // namespace signova
