#include "ui/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

namespace {

const QString ProgramTitle = QStringLiteral("SIGNOVA");

QString FromText(const std::string& text) {
    return QString::fromStdString(text);
}

void ShowOkBox(QWidget* parent, QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, ProgramTitle, FromText(text), QMessageBox::Ok, parent);
    box.exec();
}

// A Yes/No box whose title-bar close and Esc answer Cancel, not No.
signova::DialogResult AskYesNo(QWidget* parent, QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, ProgramTitle, FromText(text), QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    QPushButton* no = box.addButton(QMessageBox::No);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    cancel->hide();
    box.setEscapeButton(cancel);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes)
        return signova::DialogResult::Yes;
    if (box.clickedButton() == no)
        return signova::DialogResult::No;
    return signova::DialogResult::Cancel;
}

// Qt's file dialog keeps its history and last folder in the user's settings
// when it closes. The program keeps nothing between starts: point those
// settings into the program's read-only resources, where they read as empty
// and cannot be written. Within a run the dialog still remembers its folder.
void KeepFileDialogStateInMemory() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStringLiteral(":/no-saved-settings"));
}

} // namespace

void QtDialogs::ShowMessage(const std::string& text) {
    ShowOkBox(parent_, QMessageBox::NoIcon, text);
}

signova::DialogResult QtDialogs::Confirm(const std::string& text) {
    return AskYesNo(parent_, QMessageBox::Question, text);
}

signova::DialogResult QtDialogs::AskInformation(const std::string& text) {
    return AskYesNo(parent_, QMessageBox::Information, text);
}

void QtDialogs::Inform(const std::string& text) {
    ShowOkBox(parent_, QMessageBox::Information, text);
}

void QtDialogs::ShowError(const std::string& text) {
    ShowOkBox(parent_, QMessageBox::Critical, text);
}

std::optional<std::string> QtDialogs::ChooseFile() {
    KeepFileDialogStateInMemory();
    const QString path = QFileDialog::getOpenFileName(parent_, QString(), QString(), QString());
    if (path.isEmpty())
        return std::nullopt;
    return QFile::encodeName(path).toStdString();
}
