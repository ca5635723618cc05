#include "ui/lesson_window.h"

#include "ui/widget_helpers.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

constexpr QSize LessonWindowSize(360, 240);

} // namespace

LessonWindow::LessonWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LessonWindow"));
    setWindowTitle(QStringLiteral("Lesson"));
    resize(LessonWindowSize);
    auto* layout = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("LessonNotes"));
    text_->setReadOnly(true);
    layout->addWidget(text_);
}

void LessonWindow::ShowNotes(const std::string& notes) {
    text_->setPlainText(FromBytes(notes));
}

QString LessonWindow::Notes() const {
    return text_->toPlainText();
}
