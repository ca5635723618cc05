#include "tests/ui/form_fixture.h"

#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace {

// Points the user's home and configuration folders at an empty folder for
// the test's lifetime.
class FreshHome {
public:
    FreshHome() : home_(qgetenv("HOME")), config_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", folder_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (folder_.path() + QStringLiteral("/.config")).toUtf8());
    }
    ~FreshHome() {
        qputenv("HOME", home_);
        if (config_.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", config_);
    }
    // Every file and folder now in the home folder.
    std::string Written() const {
        QStringList entries;
        QDirIterator all(folder_.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
        while (all.hasNext())
            entries << all.next();
        return entries.join(QLatin1Char(' ')).toStdString();
    }

private:
    QTemporaryDir folder_;
    QByteArray home_;
    QByteArray config_;
};

TEST(QtFileDialog, ALoadWritesNothingUnderTheUsersFolders) {
    FreshHome home;
    QtDialogs dialogs;
    CountingForm form(dialogs);
    dialogs.SetParent(&form);
    form.show();
    const QString file = QStringLiteral(SIGNOVA_TEST_DATA_DIR "/four_tap_moving_average.txt");
    // Types the file's path into the dialog and presses Enter, as a user would.
    QTimer::singleShot(0, &form, [&file] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(file);
        QTest::keyClick(name, Qt::Key_Return);
    });
    QTimer::singleShot(5000, &form, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "the file dialog stayed open";
            dialog->close();
        }
    });
    form.findChild<QPushButton*>(QStringLiteral("LoadFIR"))->click();

    EXPECT_EQ(form.State().FirLastTap, 3);
    EXPECT_EQ(form.FirCells().Cell(1, 0), "0.25");
    EXPECT_EQ(home.Written(), "");
}

} // namespace
