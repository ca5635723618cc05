#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace signova {

// Writes `samples` as a mono 16-bit PCM WAV file at `sampleRate` (libsndfile),
// through a temporary file beside `path` that replaces it only once the whole
// file is written: a failed save leaves an existing file as it was. Throws
// FileWriteError ("Cannot write file <path>") when it cannot.
void WriteWavFile(const std::string& path, std::span<const std::int16_t> samples, int sampleRate);

} // namespace signova
