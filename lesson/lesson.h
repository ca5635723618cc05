#pragma once

#include "engine/simulator_state.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace signova {

// The lesson format's version: a reader opens every file of its major
// version; a minor step only adds keys.
constexpr int LessonMajorVersion = 1;
constexpr int LessonMinorVersion = 0;
// The key of the first member, on the file's first line, naming the format.
inline constexpr std::string_view LessonFormatKey = "signova_lesson";
// The largest lesson file the program opens.
constexpr std::uintmax_t MaxLessonFileSize = std::uintmax_t{128} * 1024 * 1024;

// The pages of the processor's page control, in their order.
enum class LessonPage { Info, Settings, Iir, Fir };
// Which table the response window shows, when it is open.
enum class LessonResponse { Closed, Fir, Iir };

// A FIR table: each row within the row count as its label and value cell, and
// beyond the row count the value cells the filter still reads (down to the
// first empty one).
struct LessonFirTable {
    std::vector<std::array<std::string, 2>> rows;
    std::vector<std::string> beyond;
    bool operator==(const LessonFirTable&) const = default;
};

// An IIR table's coefficient rows: index, a and b cell. The header row is
// always "a", "b".
struct LessonIirTable {
    std::vector<std::array<std::string, 3>> rows;
    bool operator==(const LessonIirTable&) const = default;
};

// A whole experiment: every setting of the main window, both tables with
// their titles, the views that are open and the teacher's notes. The members
// start at the window's start-up values. Texts are byte strings, as in the
// program.
struct Lesson {
    LessonPage page = LessonPage::Info;
    int rangeButton = 0; // 0 to 3: X 10, X 100, X 1k, X 10k
    int dial = 1000;     // 900 to 11000
    std::int32_t waveform = SineWave;
    int amp = 100;  // 1 to 200
    int gain = 100; // 0 to 200
    int bits = 12;  // 8, 10 or 12
    int sampleRate = 48000;
    int timebaseItem = 1; // 0 or 1
    int inputItem = 1;    // 0 "Don't show", 1 "xn", 2 "xn (norm.)"
    bool filter = true;
    LessonResponse response = LessonResponse::Closed;
    bool spectrum = false;
    std::string fileTitle;
    std::string firTitle;
    std::string iirTitle;
    LessonFirTable fir;
    LessonIirTable iir;
    std::string notes;
    bool operator==(const Lesson&) const = default;
};

// The start-up tables, as a lesson holds them.
LessonFirTable StartUpFirTable();
LessonIirTable StartUpIirTable();
// A lesson of the start-up window, tables included.
Lesson StartUpLesson();

// The names the file uses for its choices, in the order of their numbers.
inline constexpr std::array<std::string_view, 4> LessonPageNames{"Info", "Settings",
                                                                 "IIR Filters", "FIR Filters"};
inline constexpr std::array<std::string_view, 4> LessonRangeNames{"X 10", "X 100", "X 1k",
                                                                  "X 10k"};
inline constexpr std::array<std::string_view, 6> LessonWaveformNames{
    "Sine", "Triangle", "Sawtooth", "Square", "Pulse", "Noise"};
inline constexpr std::array<std::string_view, 3> LessonInputNames{"Don't show", "xn",
                                                                  "xn (norm.)"};
inline constexpr std::array<std::string_view, 3> LessonResponseNames{"closed", "FIR", "IIR"};
inline constexpr std::array<int, 3> LessonBits{8, 10, 12};
inline constexpr std::array<int, 8> LessonSampleRates{48000, 44100, 22050, 11025,
                                                      8000,  5000,  1200,  1000};

} // namespace signova
