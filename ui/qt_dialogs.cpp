#include "ui/qt_dialogs.h"

#include "toolkit/shown_text.h"
#include "ui/example_folder.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

namespace {

const QString ProgramTitle = QStringLiteral("SIGNOVA");

using signova::NamesPath;

// A box of the program: its message as plain text, never read as markup.
class ProgramBox : public QMessageBox {
public:
    ProgramBox(QWidget* parent, Icon icon, const std::string& text, NamesPath path,
               StandardButtons buttons)
        : QMessageBox(icon, ProgramTitle, QString(), buttons, parent) {
        setTextFormat(Qt::PlainText);
        setText(QString::fromStdString(signova::ShownBoxText(text, path)));
    }
};

void ShowOkBox(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
               NamesPath path = NamesPath::No) {
    ProgramBox box(parent, icon, text, path, QMessageBox::Ok);
    box.exec();
}

// A Yes/No box whose title-bar close and Esc answer Cancel, not No.
signova::DialogResult AskYesNo(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
                               NamesPath path = NamesPath::No) {
    ProgramBox box(parent, icon, text, path, QMessageBox::NoButton);
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

// The plain box shows only the program's own texts and "File too large: "
// with a path.
void QtDialogs::ShowMessage(const std::string& text) {
    ShowOkBox(parent_, QMessageBox::NoIcon, text, NamesPath::Yes);
}

signova::DialogResult QtDialogs::Confirm(const std::string& text) {
    return AskYesNo(parent_, QMessageBox::Question, text);
}

signova::DialogResult QtDialogs::ConfirmFile(const std::string& text) {
    return AskYesNo(parent_, QMessageBox::Question, text, NamesPath::Yes);
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

void QtDialogs::ShowFileError(const std::string& text) {
    ShowOkBox(parent_, QMessageBox::Critical, text, NamesPath::Yes);
}

namespace {

// An open dialog with `folder` one click away among its places; it opens where
// the user last was.
std::optional<std::string> ChooseExistingFile(QWidget* parent, const QString& folder,
                                              const QStringList& nameFilters) {
    KeepFileDialogStateInMemory();
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!nameFilters.isEmpty())
        dialog.setNameFilters(nameFilters);
    const QList<QUrl> places = dialog.sidebarUrls();
    const QUrl place = QUrl::fromLocalFile(folder);
    if (!folder.isEmpty() && !places.contains(place))
        dialog.setSidebarUrls(QList<QUrl>(places) << place);
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    // The added place belongs to this program's dialog only.
    dialog.setSidebarUrls(places);
    if (!chosen)
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

} // namespace

std::optional<std::string> QtDialogs::ChooseFile() {
    return ChooseExistingFile(parent_, ExampleFolder(), {});
}

std::optional<std::string> QtDialogs::ChooseLessonFile() {
    return ChooseExistingFile(parent_, LessonFolder(),
                              {QStringLiteral("SIGNOVA lessons (*.signova)"),
                               QStringLiteral("All files (*)")});
}

std::optional<std::string> QtDialogs::ChooseSaveFile(const std::string& fileType,
                                                     const std::string& suffix) {
    return ChooseSaveFileWithNote(fileType, suffix, {});
}

// The note goes below the dialog's own fields, where the dialog is Qt's own;
// a desktop's dialog has no room for it and shows it as its title.
std::optional<std::string> QtDialogs::ChooseSaveFileWithNote(const std::string& fileType,
                                                             const std::string& suffix,
                                                             const std::string& note) {
    KeepFileDialogStateInMemory();
    QFileDialog dialog(parent_);
    if (!note.empty()) {
        const QString text = QString::fromStdString(note);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            auto* label = new QLabel(text, &dialog);
            label->setObjectName(QStringLiteral("SaveNote"));
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
        } else {
            dialog.setWindowTitle(text);
        }
    }
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QString type = QString::fromStdString(fileType);
    const QString extension = QString::fromStdString(suffix);
    dialog.setNameFilter(type + QStringLiteral(" (*.") + extension + QLatin1Char(')'));
    dialog.setDefaultSuffix(extension);
    // The caller asks before replacing a file, through the program's own box.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}
