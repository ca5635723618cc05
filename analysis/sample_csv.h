#pragma once

#include "analysis/sample_record.h"

#include <string>

namespace signova {

// The samples as comma-separated text: the header "n,input,output", then one
// line "index,input,output" per sample, oldest first from index 0. Each value
// is written in the shortest form that reads back as the same double, with
// "." as decimal point whatever the locale.
std::string SamplesCsv(const RecordedSamples& samples);

} // namespace signova
