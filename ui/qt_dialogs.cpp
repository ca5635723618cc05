#include "ui/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

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
    const QString path = QFileDialog::getOpenFileName(parent_, QString(), QString(), QString());
    if (path.isEmpty())
        return std::nullopt;
    return QFile::encodeName(path).toStdString();
}
