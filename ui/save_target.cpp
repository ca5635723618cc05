#include "ui/save_target.h"

#include "toolkit/errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

void WriteSavedFile(const std::string& path, const std::function<bool(QSaveFile&)>& write) {
    QSaveFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit())
        throw signova::FileWriteError(path);
}

void WriteSavedText(const std::string& path, const std::string& text) {
    WriteSavedFile(path, [&text](QSaveFile& file) {
        return file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size());
    });
}
