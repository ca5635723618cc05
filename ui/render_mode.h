#pragma once

#include "toolkit/dialogs.h"

#include <optional>
#include <string>

// Rendering a lesson without a window on screen (--render): the lesson's
// experiment is run as the window runs it, and what a teacher would save from
// the window is written into a folder, for worksheets made by a script.

// Sweeps a run draws when no number of samples is asked for.
inline constexpr int RenderSweeps = 8;

struct RenderRequest {
    std::string lesson; // the lesson file
    std::string folder; // made when missing; the files written there replace any
    // Samples to run; without it, the run goes until RenderSweeps sweeps have
    // been drawn.
    std::optional<long long> samples;
};

// What the run did.
struct RenderOutcome {
    long long samples = 0; // samples computed
    long long sweeps = 0;  // sweeps drawn
};

// Opens the lesson in a main window at its design size, on the FIR page
// unless the lesson's page is the IIR page, runs it as Run does, and writes
// into the folder: scope.png (the scope's picture with its caption, as "Save
// picture" writes it), samples.csv (as "Save samples as CSV…" writes it), a
// copy of the lesson under its own name, and response.png and spectrum.png
// when the lesson has those views open (their charts with the read-outs).
// The window's boxes go to `dialogs`. Throws SignovaError for a lesson that
// cannot be opened, a folder that cannot be made or a file that cannot be
// written, and the error that ended the run, after the files are written; a
// run stopped before its end (a bad table row, reported through `dialogs`)
// throws RenderStopped, also after the files are written.
RenderOutcome RenderLesson(const RenderRequest& request, signova::Dialogs& dialogs);

// --render for main(): RenderLesson, every error shown through `dialogs` as the
// default error handler shows it. The program's exit status: 0 when all was
// written after a run that went to its end, else 1.
int RunRenderMode(const RenderRequest& request, signova::Dialogs& dialogs);
