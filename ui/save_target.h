#pragma once

#include "toolkit/dialogs.h"

#include <optional>
#include <string>

// The file the user chooses to save into, through the save-file choice of
// `dialogs` ("PNG image", "png"); a file already there only once the user
// says Yes to replacing it. `note`, when not empty, is shown in the choice.
// Nothing when the user cancels or says No.
std::optional<std::string> ChooseSaveTarget(signova::Dialogs& dialogs, const std::string& fileType,
                                            const std::string& suffix,
                                            const std::string& note = {});
