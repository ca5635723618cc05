#pragma once

#include <QString>

// The folder of ready-made coefficient files the file dialog offers among its
// places: <program folder>/../share/signova/examples for an installed program,
// else the source tree's examples/ for a program run from its build folder.
// Empty when neither exists.
QString ExampleFolder();

// The same choice for a given program folder and source-tree folder.
QString FindExampleFolder(const QString& programFolder, const QString& sourceExamples);

// The folder of the shipped lessons, found the same way:
// <program folder>/../share/signova/lessons, else the source tree's lessons/.
QString LessonFolder();

// <programFolder>/../share/signova/<name> when it exists, else `sourceFolder`
// when it exists, else empty.
QString FindSharedFolder(const QString& programFolder, const QString& name,
                         const QString& sourceFolder);
