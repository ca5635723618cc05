#pragma once

#include "toolkit/colors.h"
#include "ui/toolkit_color.h"

#include <QFont>
#include <QPalette>
#include <QString>
#include <QWidget>

// The look the frequency-view windows share: a regular 12-pixel face on the
// button-face colour, titled after the program.
inline void UseViewWindowLook(QWidget& window, const char* objectName, const QString& title) {
    window.setObjectName(QString::fromLatin1(objectName));
    window.setWindowTitle(QStringLiteral("SIGNOVA - ") + title);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    window.setFont(font);
    QPalette face = window.palette();
    face.setColor(QPalette::Window, ToQColor(signova::clBtnFace));
    window.setPalette(face);
}
