#pragma once

#include "analysis/sample_record.h"
#include "toolkit/dialogs.h"

#include <QImage>

#include <string>

class ChartWidget;

// Export of what the program shows, to files the user chooses through the
// save-file choice of `Dialogs` and to the clipboard. An existing file is
// replaced only after the user says Yes. A file that cannot be written throws
// FileWriteError ("Cannot write file <path>"), which the caller's default
// error handler shows. Nothing else is ever written.

// The chart painted afresh at `scale` times its widget's size (the chart
// component draws at any scale, so lines and text stay crisp), with `caption`
// (UTF-8, lines split at '\n', long lines wrapped) under it at the same scale;
// no caption area when the caption is empty.
QImage ChartPicture(ChartWidget& chart, const std::string& caption, int scale);

// The scope's picture: twice the chart widget's size, the caption under it.
QImage ScopePicture(ChartWidget& chart, const std::string& caption);

void SavePicture(const QImage& picture, signova::Dialogs& dialogs);
void CopyPicture(const QImage& picture);
// The picture as a PNG file at `path`, replacing any file there, as
// SavePicture writes it once the file is chosen.
void WritePicture(const QImage& picture, const std::string& path);

// The record as text: "n,input,output", then one line per sample, oldest first.
void SaveSamplesCsv(const signova::SampleRecord& record, signova::Dialogs& dialogs);
// The samples as SaveSamplesCsv writes them once the file is chosen, into
// `path`, replacing any file there.
void WriteSamplesCsv(const signova::RecordedSamples& samples, const std::string& path);
