#include "ui/qt_dialogs.h"

#include "ui/example_folder.h"

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

// Opens where the user last was; the examples are one click away among the places.
std::optional<std::string> QtDialogs::ChooseFile() {
    QFileDialog dialog(parent_);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QList<QUrl> places = dialog.sidebarUrls();
    const QUrl examples = QUrl::fromLocalFile(ExampleFolder());
    if (!examples.isEmpty() && !places.contains(examples))
        dialog.setSidebarUrls(QList<QUrl>(places) << examples);
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    // The dialog stores its places for every Qt program of the user: not ours.
    dialog.setSidebarUrls(places);
    if (!chosen)
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}
