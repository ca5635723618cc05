#include "ui/render_mode.h"

#include "lesson/lesson_file.h"
#include "toolkit/errors.h"
#include "toolkit/line_buffer.h"
#include "ui/SIGNOVA_Unit.h"
#include "ui/chart_export.h"
#include "ui/chart_widget.h"
#include "ui/lesson_controller.h"
#include "ui/response_window.h"
#include "ui/save_target.h"
#include "ui/spectrum_window.h"
#include "ui/view_menus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include <exception>

namespace {

// The run of the main window, its message pass counting samples instead of
// handing control to Qt: nobody clicks in this window, and the run must not
// depend on how fast the machine is.
class RenderWindow : public TForm1 {
public:
    RenderWindow(signova::Dialogs& dialogs, std::optional<long long> samples)
        : TForm1(dialogs), wanted_(samples) {}

    // Runs the page shown, as Run does; true when it went to its end.
    bool Run() {
        samples_ = 0;
        sweepsBefore_ = SweepsPlotted();
        ended_ = false;
        RunClick();
        return ended_;
    }
    RenderOutcome Outcome() const { return {samples_, SweepsPlotted() - sweepsBefore_}; }

protected:
    void ProcessMessages() override {
        ++samples_;
        if (wanted_ ? samples_ >= *wanted_ : SweepsPlotted() - sweepsBefore_ >= RenderSweeps) {
            ended_ = true;
            StopClick();
        }
    }

private:
    std::optional<long long> wanted_;
    long long samples_ = 0;
    long long sweepsBefore_ = 0;
    bool ended_ = false;
};

class RenderStopped : public signova::SignovaError {
public:
    explicit RenderStopped(const RenderOutcome& outcome)
        : SignovaError("The run stopped after " + std::to_string(outcome.samples) +
                       " samples and " + std::to_string(outcome.sweeps) +
                       " sweeps, before its end") {}
};

std::string InFolder(const QDir& folder, const QString& name) {
    return QFile::encodeName(folder.filePath(name)).toStdString();
}

// The response window's two charts one above the other, the read-outs under
// the phase, each drawn as its "Save picture" draws it.
QImage ResponsePicture(ResponseWindow& window) {
    window.Refresh();
    const QImage magnitude = ChartPicture(window.MagnitudeChart(), "", 1);
    const QImage phase = ChartPicture(window.PhaseChart(), window.ReadoutText(), 1);
    QImage picture(qMax(magnitude.width(), phase.width()), magnitude.height() + phase.height(),
                   QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, magnitude);
    painter.drawImage(0, magnitude.height(), phase);
    return picture;
}

QImage SpectrumPicture(SpectrumWindow& window) {
    window.Refresh();
    return ChartPicture(window.Chart(), window.ReadoutText(), 1);
}

} // namespace

RenderOutcome RenderLesson(const RenderRequest& request, signova::Dialogs& dialogs) {
    // Everything that can refuse comes before the run.
    signova::LessonRead read = signova::ReadLessonFile(request.lesson);
    std::string lessonBytes;
    if (signova::ReadWholeFile(request.lesson, lessonBytes, signova::MaxLessonFileSize) ==
        signova::FileReadResult::TooLarge)
        throw signova::FileNamingError(signova::FileTooLargeText(request.lesson));
    const QDir folder(QFile::decodeName(request.folder.c_str()));
    if (!folder.mkpath(QStringLiteral(".")))
        throw signova::FileNamingError("Cannot make the folder " + request.folder);

    RenderWindow window(dialogs, request.samples);
    window.resize(TForm1::DesignSize());
    window.show();
    QCoreApplication::processEvents();
    // Whatever showing did to the size, the scope gets the size the design
    // gives it, on every machine.
    window.resize(TForm1::DesignSize());
    if (read.lesson.page != signova::LessonPage::Iir)
        read.lesson.page = signova::LessonPage::Fir;
    window.Lessons().OpenRead(read, request.lesson);
    QCoreApplication::processEvents();

    std::exception_ptr runError;
    bool ended = false;
    try {
        ended = window.Run();
    } catch (...) {
        runError = std::current_exception();
    }

    // What was drawn is written even when the run ended with an error.
    WritePicture(ScopePicture(window.ScopeWidget(), window.ScopeCaption()),
                 InFolder(folder, QStringLiteral("scope.png")));
    WriteSamplesCsv(window.Record().OldestFirst(), InFolder(folder, QStringLiteral("samples.csv")));
    WriteSavedText(InFolder(folder, QFileInfo(QFile::decodeName(request.lesson.c_str())).fileName()),
                   lessonBytes);
    ViewMenus& views = window.Views();
    if (views.ShownResponse())
        WritePicture(ResponsePicture(*views.Response()),
                     InFolder(folder, QStringLiteral("response.png")));
    if (views.SpectrumShown())
        WritePicture(SpectrumPicture(*views.Spectrum()),
                     InFolder(folder, QStringLiteral("spectrum.png")));

    if (runError)
        std::rethrow_exception(runError);
    if (!ended)
        throw RenderStopped(window.Outcome());
    return window.Outcome();
}

int RunRenderMode(const RenderRequest& request, signova::Dialogs& dialogs) {
    try {
        (void)RenderLesson(request, dialogs);
        return 0;
    } catch (const std::exception& error) {
        signova::ShowDefaultError(dialogs, error);
        return 1;
    }
}
