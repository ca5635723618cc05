#include "ui/SIGNOVA_Unit.h"
#include "ui/qt_dialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SIGNOVA"));
    QtDialogs dialogs;
    TForm1 form1(dialogs);
    dialogs.SetParent(&form1);
    form1.show();
    return QApplication::exec();
}
