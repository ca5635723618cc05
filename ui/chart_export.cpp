#include "ui/chart_export.h"

#include "analysis/sample_csv.h"
#include "toolkit/errors.h"
#include "ui/chart_widget.h"
#include "ui/save_target.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>

#include <optional>
#include <string>

namespace {

constexpr int CaptionMargin = 4;
constexpr int ScopePictureScale = 2;
constexpr QRgb CaptionBackground = 0xFFFFFFFF;
constexpr QRgb CaptionText = 0xFF000000;
constexpr int CaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// The height the wrapped caption takes, measured at the scale it is drawn at
// (hinted text may be a little wider there than at 1).
int CaptionTextHeight(const QString& text, const QFont& font, int width, int scale) {
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDevicePixelRatio(scale);
    QPainter painter(&probe);
    painter.setFont(font);
    return painter.boundingRect(QRect(0, 0, width, 1 << 20), CaptionFlags, text).height();
}

} // namespace

QImage ChartPicture(ChartWidget& chart, const std::string& caption, int scale) {
    const QString text = QString::fromStdString(caption);
    const int textWidth = chart.width() - 2 * CaptionMargin;
    const int captionHeight =
        text.isEmpty()
            ? 0
            : CaptionTextHeight(text, chart.font(), textWidth, scale) + 2 * CaptionMargin;
    // The image's pixel ratio makes every drawing call land at `scale`.
    QImage picture(QSize(chart.width(), chart.height() + captionHeight) * scale,
                   QImage::Format_RGB32);
    picture.setDevicePixelRatio(scale);
    picture.fill(CaptionBackground);
    QPainter painter(&picture);
    chart.PaintTo(painter);
    if (captionHeight > 0) {
        painter.setFont(chart.font());
        painter.setPen(QColor::fromRgb(CaptionText));
        painter.drawText(QRect(CaptionMargin, chart.height() + CaptionMargin, textWidth,
                               captionHeight - 2 * CaptionMargin),
                         CaptionFlags, text);
    }
    painter.end();
    // Files and the clipboard get plain pixels.
    picture.setDevicePixelRatio(1.0);
    return picture;
}

QImage ScopePicture(ChartWidget& chart, const std::string& caption) {
    return ChartPicture(chart, caption, ScopePictureScale);
}

void SavePicture(const QImage& picture, signova::Dialogs& dialogs) {
    const std::optional<std::string> path = ChooseSaveTarget(dialogs, "PNG image", "png");
    if (!path)
        return;
    WritePicture(picture, *path);
}

void WritePicture(const QImage& picture, const std::string& path) {
    WriteSavedFile(path, [&picture](QSaveFile& file) { return picture.save(&file, "PNG"); });
}

void CopyPicture(const QImage& picture) {
    QGuiApplication::clipboard()->setImage(picture);
}

void SaveSamplesCsv(const signova::SampleRecord& record, signova::Dialogs& dialogs) {
    // The samples of the moment the user asked, not of when the file was chosen.
    const signova::RecordedSamples samples = record.OldestFirst();
    const std::optional<std::string> path = ChooseSaveTarget(dialogs, "CSV file", "csv");
    if (!path)
        return;
    WriteSamplesCsv(samples, *path);
}

void WriteSamplesCsv(const signova::RecordedSamples& samples, const std::string& path) {
    WriteSavedText(path, signova::SamplesCsv(samples));
}
