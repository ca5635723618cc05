#include "tests/ui/form_fixture.h"

#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct ShownBox {
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

// Runs `show`, which opens one modal box, and reads that box from inside its
// own message loop before closing it.
ShownBox Shown(const std::function<void()>& show) {
    ShownBox seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no box is shown";
            return;
        }
        seen = {box->text(), box->textFormat()};
        box->close();
    });
    show();
    return seen;
}

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

struct BoxCase {
    const char* name;
    void (QtDialogs::*show)(const std::string&);
    std::string message;
    std::string shown;
};

class QtDialogBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(QtDialogBox, ShowsItsMessageAsPlainTextShortenedUnlessItNamesAPath) {
    QtDialogs dialogs;
    const ShownBox box = Shown([&] { (dialogs.*GetParam().show)(GetParam().message); });
    EXPECT_EQ(box.text, Latin1(GetParam().shown));
    EXPECT_EQ(box.format, Qt::PlainText);
}

const std::string LongValue =
    "'" + std::string(5000, '9') + "' is not a valid floating point value.";
const std::string LongPath = "/" + std::string(3000, 'd') + "/x.txt";

INSTANTIATE_TEST_SUITE_P(
    Boxes, QtDialogBox,
    ::testing::Values(BoxCase{"ErrorOfALongValue", &QtDialogs::ShowError, LongValue,
                              "'" + std::string(999, '9') + "..."},
                      BoxCase{"ErrorNamingAPath", &QtDialogs::ShowFileError,
                              "Cannot open file " + LongPath + ".",
                              "Cannot open file " + LongPath + "."},
                      BoxCase{"MessageNamingAPath", &QtDialogs::ShowMessage,
                              "File too large: " + LongPath, "File too large: " + LongPath},
                      BoxCase{"MarkupIsShownAsTyped", &QtDialogs::ShowError,
                              "'<b>1</b>' is not a valid floating point value.",
                              "'<b>1</b>' is not a valid floating point value."}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return info.param.name; });

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
