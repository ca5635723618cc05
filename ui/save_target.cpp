#include "ui/save_target.h"

#include <QFile>
#include <QFileInfo>

namespace {

std::string ReplaceQuestion(const std::string& path) {
    return path + " already exists.\nDo you want to replace it?";
}

} // namespace

std::optional<std::string> ChooseSaveTarget(signova::Dialogs& dialogs, const std::string& fileType,
                                            const std::string& suffix, const std::string& note) {
    const std::optional<std::string> path =
        note.empty() ? dialogs.ChooseSaveFile(fileType, suffix)
                     : dialogs.ChooseSaveFileWithNote(fileType, suffix, note);
    if (!path)
        return std::nullopt;
    if (QFileInfo::exists(QFile::decodeName(path->c_str())) &&
        dialogs.ConfirmFile(ReplaceQuestion(*path)) != signova::DialogResult::Yes)
        return std::nullopt;
    return path;
}
