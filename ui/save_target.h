#pragma once

#include "toolkit/dialogs.h"

#include <functional>
#include <optional>
#include <string>

class QSaveFile;

// Saving a file the user chooses: the save-file choice of `Dialogs`, the
// question before an existing file is replaced, and a write that replaces the
// file only once all of it has been written.

// The file the user chose ("PNG image", "png"), once any file already there
// may be replaced (the user answered Yes); nothing when the user cancelled or
// said No. `note`, when not empty, is shown in the choice.
std::optional<std::string> ChooseSaveTarget(signova::Dialogs& dialogs, const std::string& fileType,
                                            const std::string& suffix,
                                            const std::string& note = {});

// Writes through a temporary file that replaces the target only when all of
// it has been written: a failed save leaves an existing file as it was and no
// partial file. Throws FileWriteError ("Cannot write file <path>").
void WriteSavedFile(const std::string& path, const std::function<bool(QSaveFile&)>& write);
void WriteSavedText(const std::string& path, const std::string& text);
