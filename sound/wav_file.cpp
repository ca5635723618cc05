#include "sound/wav_file.h"

#include "toolkit/errors.h"

#include <sndfile.h>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace signova {

namespace {

// The permissions a newly created file gets: everyone's read and write less
// the process's mask, as any other file the user saves.
mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

bool WriteSamples(int descriptor, std::span<const std::int16_t> samples, int sampleRate) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    // The descriptor stays ours to close.
    SNDFILE* file = sf_open_fd(descriptor, SFM_WRITE, &info, SF_FALSE);
    if (!file)
        return false;
    const auto count = static_cast<sf_count_t>(samples.size());
    const bool written = sf_write_short(file, samples.data(), count) == count;
    return sf_close(file) == 0 && written;
}

} // namespace

void WriteWavFile(const std::string& path, std::span<const std::int16_t> samples, int sampleRate) {
    std::string temporary = path + ".XXXXXX";
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0)
        throw FileWriteError(path);
    temporary.assign(name.data());
    const bool written = WriteSamples(descriptor, samples, sampleRate) &&
                         fchmod(descriptor, NewFileMode()) == 0 && fsync(descriptor) == 0;
    const bool closed = close(descriptor) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw FileWriteError(path);
    }
}

} // namespace signova
