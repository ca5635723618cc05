#pragma once

#include <QString>

// The folder of ready-made coefficient files the file dialog offers among its
// places: <program folder>/../share/signova/examples for an installed program,
// else the source tree's examples/ for a program run from its build folder.
// Empty when neither exists.
QString ExampleFolder();

// The same choice for a given program folder and source-tree folder.
QString FindExampleFolder(const QString& programFolder, const QString& sourceExamples);
