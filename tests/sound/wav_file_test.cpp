#include "sound/wav_file.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class WavFile : public ::testing::Test {
protected:
    fs::path folder;
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "signova_wav_XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        folder = name;
    }
    void TearDown() override { fs::remove_all(folder); }
};

TEST_F(WavFile, ReadsBackAsTheSamplesAtTheSimulationsRate) {
    const std::vector<std::int16_t> samples{0, 32512, -32512, 256, -256, 32767, -32768, 48};
    const std::string path = (folder / "tone.wav").string();
    signova::WriteWavFile(path, samples, 1200);

    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(info.samplerate, 1200);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    std::vector<std::int16_t> read(samples.size() + 4);
    EXPECT_EQ(sf_read_short(file, read.data(), static_cast<sf_count_t>(read.size())),
              static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    read.resize(samples.size());
    EXPECT_EQ(read, samples);
    // Nothing of the temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(WavFile, AFolderThatCannotTakeItFailsWithTheFilesNameAndLeavesNothing) {
    const std::string path = (folder / "missing" / "tone.wav").string();
    try {
        signova::WriteWavFile(path, std::vector<std::int16_t>{1, 2, 3}, 48000);
        FAIL() << "no error";
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot write file " + path);
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(WavFile, ReplacesAnExistingFileWhole) {
    const std::string path = (folder / "tone.wav").string();
    std::ofstream(path) << "an older file, longer than the new one will be, by far and away";
    signova::WriteWavFile(path, std::vector<std::int16_t>{7}, 8000);
    // A 44-byte header and one sample.
    EXPECT_EQ(fs::file_size(path), 46U);
}

} // namespace
