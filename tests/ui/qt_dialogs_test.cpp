#include "tests/ui/form_fixture.h"

#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(QtFileDialog, ALoadWritesNothingUnderTheUsersFolders) {
    const QTemporaryDir home;
    const QByteArray realHome = qgetenv("HOME");
    const QByteArray realConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    QtDialogs dialogs;
    CountingForm form(dialogs);
    dialogs.SetParent(&form);
    // Types the file's path into the dialog and presses Enter, as a user would.
    QTimer::singleShot(0, &form, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(QStringLiteral(SIGNOVA_TEST_DATA_DIR "/four_tap_moving_average.txt"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QTimer::singleShot(5000, &form, [] { // a dialog left open fails, never hangs
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "the file dialog stayed open";
            dialog->close();
        }
    });
    form.findChild<QPushButton*>(QStringLiteral("LoadFIR"))->click();
    qputenv("HOME", realHome);
    realConfig.isEmpty() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", realConfig);

    EXPECT_EQ(form.State().FirLastTap, 3);
    EXPECT_TRUE(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        << QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden).join(' ').toStdString();
}

} // namespace
