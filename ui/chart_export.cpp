#include "ui/chart_export.h"

#include "analysis/sample_csv.h"
#include "toolkit/errors.h"
#include "ui/chart_widget.h"
#include "ui/save_target.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPixmap>
#include <QSaveFile>

#include <optional>
#include <string>

void SaveChartPicture(ChartWidget& chart, signova::Dialogs& dialogs) {
    const std::optional<std::string> path = ChooseSaveTarget(dialogs, "PNG image", "png");
    if (!path)
        return;
    const QPixmap picture = chart.grab();
    WriteSavedFile(*path, [&picture](QSaveFile& file) { return picture.save(&file, "PNG"); });
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
    WriteSavedText(*path, text);
}
