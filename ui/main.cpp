#include "ui/SIGNOVA_Unit.h"
#include "ui/command_line.h"
#include "ui/console_dialogs.h"
#include "ui/guarded.h"
#include "ui/lesson_controller.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTimer>

#include <iostream>

namespace {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/org.example.signova.png").arg(size),
                     QSize(size, size));
    return icon;
}

// A render writes only its own lines to standard error: Qt's remarks about
// the offscreen platform would bury the one line that says what went wrong.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    (void)context;
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "signova: " << text.toLocal8Bit().constData() << '\n';
}

int Render(int argc, char* argv[], const RenderRequest& request) {
    // No display is needed, nor used when there is one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(KeepQtQuiet);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SIGNOVA"));
    ConsoleDialogs dialogs(std::cerr);
    return RunRenderMode(request, dialogs);
}

} // namespace

int main(int argc, char* argv[]) {
    // The arguments are read before the window system is reached, so that
    // --help, --version and a usage error need no display.
    CommandLine commandLine;
    {
        QCoreApplication arguments(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("SIGNOVA"));
        QCoreApplication::setApplicationVersion(QStringLiteral(SIGNOVA_VERSION));
        commandLine = ParseCommandLine(arguments);
    }
    if (commandLine.render)
        return Render(argc, argv, *commandLine.render);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SIGNOVA"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.signova"));
    QApplication::setWindowIcon(ProgramIcon());
    QtDialogs dialogs;
    TForm1 form1(dialogs);
    dialogs.SetParent(&form1);
    form1.show();
    if (commandLine.file) {
        // Opened once the window is shown, so that its boxes stand over it.
        const std::string path = QFile::encodeName(*commandLine.file).toStdString();
        QTimer::singleShot(0, &form1, Guarded(dialogs, [&form1, path] {
                               form1.Lessons().OpenFile(path);
                           }));
    }
    return QApplication::exec();
}
