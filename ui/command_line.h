#pragma once

#include "ui/render_mode.h"

#include <QString>

#include <optional>

class QCoreApplication;

// The program's arguments: none, one FILE to open once the window is shown
// (a lesson, or a coefficient file for the table it names), or --render with
// --out (and --samples) to render a lesson without a window.
// --help and --version print and end the program; a usage error (an unknown
// option, more than one FILE, --render without --out, a --samples that is no
// whole number above 0) prints one line to standard error and ends it with
// status 2.
struct CommandLine {
    std::optional<QString> file;
    std::optional<RenderRequest> render;
};

CommandLine ParseCommandLine(const QCoreApplication& app);
