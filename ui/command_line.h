#pragma once

#include <QString>

#include <optional>

class QCoreApplication;

// The program's arguments: none, or one FILE to open once the window is
// shown (a lesson, or a coefficient file for the table it names).
// --help and --version print and end the program; a usage error (an unknown
// option, more than one FILE) prints one line to standard error and ends it
// with status 2.
struct CommandLine {
    std::optional<QString> file;
};

CommandLine ParseCommandLine(const QCoreApplication& app);
