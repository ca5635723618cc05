#pragma once

#include <QWidget>

#include <string>

class QPlainTextEdit;

// The small window that shows a lesson's notes for the class ("what to look
// for"), beside the main window. The notes belong to the lesson file: the
// window only shows them.
class LessonWindow : public QWidget {
    Q_OBJECT
public:
    explicit LessonWindow(QWidget* parent = nullptr);

    void ShowNotes(const std::string& notes);
    QString Notes() const;

private:
    QPlainTextEdit* text_;
};
