#pragma once

#include <QByteArray>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

#include <string>
#include <string_view>
#include <utility>

// Small helpers every window of the program builds its controls with.

// The program's texts are UTF-8.
inline QString FromText(const std::string& text) {
    return QString::fromStdString(text);
}

// A text the program keeps as bytes (a title, a cell, a lesson's notes):
// shown as UTF-8 where it is valid UTF-8, else as Latin-1.
inline QString FromBytes(std::string_view bytes) {
    const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString decoded = QString::fromUtf8(raw);
    if (decoded.toUtf8() != raw)
        decoded = QString::fromLatin1(raw);
    return decoded;
}

// A control named `name` (tests and the resizing find controls by name) at
// `bounds` within its parent.
template <typename Widget, typename... Args>
Widget* Make(QWidget* parent, const char* name, QRect bounds, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(bounds);
    return widget;
}

// A label named `name` (none when empty) for a layout to place.
inline QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}
