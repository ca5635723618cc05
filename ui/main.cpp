#include "ui/SIGNOVA_Unit.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QIcon>

namespace {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/org.example.signova.png").arg(size),
                     QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SIGNOVA"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.signova"));
    QApplication::setWindowIcon(ProgramIcon());
    QtDialogs dialogs;
    TForm1 form1(dialogs);
    dialogs.SetParent(&form1);
    form1.show();
    return QApplication::exec();
}
