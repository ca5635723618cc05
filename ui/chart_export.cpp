#include "ui/chart_export.h"

#include "analysis/sample_csv.h"
#include "toolkit/errors.h"
#include "ui/chart_widget.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QSaveFile>

#include <functional>
#include <optional>
#include <string>

namespace {

std::string ReplaceQuestion(const std::string& path) {
    return path + " already exists.\nDo you want to replace it?";
}

// The file the user chose, once any file already there may be replaced.
std::optional<std::string> ChooseTarget(signova::Dialogs& dialogs, const std::string& fileType,
                                        const std::string& suffix) {
    const std::optional<std::string> path = dialogs.ChooseSaveFile(fileType, suffix);
    if (!path)
        return std::nullopt;
    if (QFileInfo::exists(QFile::decodeName(path->c_str())) &&
        dialogs.ConfirmFile(ReplaceQuestion(*path)) != signova::DialogResult::Yes)
        return std::nullopt;
    return path;
}

// Writes through a temporary file that replaces the target only when all of
// it has been written: a failed save leaves an existing file as it was.
void WriteFile(const std::string& path, const std::function<bool(QSaveFile&)>& write) {
    QSaveFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit())
        throw signova::FileWriteError(path);
}

} // namespace

void SaveChartPicture(ChartWidget& chart, signova::Dialogs& dialogs) {
    const std::optional<std::string> path = ChooseTarget(dialogs, "PNG image", "png");
    if (!path)
        return;
    const QPixmap picture = chart.grab();
    WriteFile(*path, [&picture](QSaveFile& file) { return picture.save(&file, "PNG"); });
}

void CopyChartPicture(ChartWidget& chart) {
    QGuiApplication::clipboard()->setPixmap(chart.grab());
}

void SaveSamplesCsv(const signova::SampleRecord& record, signova::Dialogs& dialogs) {
    // The samples of the moment the user asked, not of when the file was chosen.
    const std::string text = signova::SamplesCsv(record.OldestFirst());
    const std::optional<std::string> path = ChooseTarget(dialogs, "CSV file", "csv");
    if (!path)
        return;
    WriteFile(*path, [&text](QSaveFile& file) {
        return file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size());
    });
}
