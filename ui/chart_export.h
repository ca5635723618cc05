#pragma once

#include "analysis/sample_record.h"
#include "toolkit/dialogs.h"

class ChartWidget;

// Export of what the program shows, to files the user chooses through the
// save-file choice of `Dialogs` and to the clipboard. An existing file is
// replaced only after the user says Yes. A file that cannot be written throws
// FileWriteError ("Cannot write file <path>"), which the caller's default
// error handler shows. Nothing else is ever written.

// The chart as drawn, as a PNG image at the screen's pixel ratio.
void SaveChartPicture(ChartWidget& chart, signova::Dialogs& dialogs);
void CopyChartPicture(ChartWidget& chart);

// The record as text: "n,input,output", then one line per sample, oldest first.
void SaveSamplesCsv(const signova::SampleRecord& record, signova::Dialogs& dialogs);
