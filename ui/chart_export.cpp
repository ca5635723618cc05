#include "ui/chart_export.h"

#include "analysis/sample_csv.h"
#include "toolkit/errors.h"
#include "ui/chart_widget.h"
#include "ui/save_target.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QSaveFile>

#include <functional>
#include <optional>
#include <string>

namespace {

// Writes through a temporary file that replaces the target only when all of
// it has been written: a failed save leaves an existing file as it was.
void WriteFile(const std::string& path, const std::function<bool(QSaveFile&)>& write) {
    QSaveFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit())
        throw signova::FileWriteError(path);
}

} // namespace

void SaveChartPicture(ChartWidget& chart, signova::Dialogs& dialogs) {
    const std::optional<std::string> path = ChooseSaveTarget(dialogs, "PNG image", "png");
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
    const std::optional<std::string> path = ChooseSaveTarget(dialogs, "CSV file", "csv");
    if (!path)
        return;
    WriteFile(*path, [&text](QSaveFile& file) {
        return file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size());
    });
}
