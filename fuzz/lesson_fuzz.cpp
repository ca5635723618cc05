// libFuzzer target: a lesson file of any bytes read, checked, written again
// and put into the tables.
//
// - Reading fails only with a LessonProblem; nothing else is ever thrown.
// - A lesson read holds every setting within its range, at most 300 FIR rows
//   and values and 1 to 103 IIR coefficient rows.
// - Its text, written again, reads back as the same lesson with no unknown
//   key, and writing that gives the same text.
// - Its tables put into the grids read back as the same tables.
//
// Input: the file.

#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "fuzz/fuzz_support.h"
#include "lesson/lesson_file.h"
#include "lesson/lesson_tables.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace signova::fuzz {
namespace {

template <typename Value, std::size_t N>
bool OneOf(Value value, const std::array<Value, N>& allowed) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

void CheckRanges(const Lesson& lesson) {
    Check(lesson.dial >= 900 && lesson.dial <= 11000, "dial within its range");
    Check(lesson.rangeButton >= 0 && lesson.rangeButton <= 3, "one of the range buttons");
    Check(lesson.waveform >= SineWave && lesson.waveform <= NoiseWave, "a waveform");
    Check(lesson.amp >= 1 && lesson.amp <= 200, "Amp within its range");
    Check(lesson.gain >= 0 && lesson.gain <= 200, "Gain within its range");
    Check(OneOf(lesson.bits, LessonBits), "bits one of the items");
    Check(OneOf(lesson.sampleRate, LessonSampleRates), "sample rate one of the items");
    Check(lesson.timebaseItem == 0 || lesson.timebaseItem == 1, "a timebase item");
    Check(lesson.inputItem >= 0 && lesson.inputItem <= 2, "an input item");
    Check(!lesson.fir.rows.empty() && lesson.fir.rows.size() <= FirCoefficientCount,
          "1 to 300 FIR rows");
    Check(FirValueCount(lesson.fir) <= FirCoefficientCount, "at most 300 FIR values");
    Check(!lesson.iir.rows.empty() && lesson.iir.rows.size() <= IirCoefficientCount,
          "1 to 103 IIR rows");
}

} // namespace
} // namespace signova::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace signova;
    using signova::fuzz::Check;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LessonRead read;
    try {
        read = ParseLesson(text);
    } catch (const LessonProblem&) {
        return 0;
    }
    fuzz::CheckRanges(read.lesson);

    const std::string written = LessonText(read.lesson);
    LessonRead again;
    try {
        again = ParseLesson(written);
    } catch (const LessonProblem&) {
        Check(false, "a written lesson reads back");
    }
    Check(again.lesson == read.lesson, "the written lesson reads back the same");
    Check(again.unknownKeys.empty(), "a written lesson has no unknown key");
    Check(LessonText(again.lesson) == written, "writing again gives the same text");

    CellStore fir = NewFirGrid();
    CellStore iir = NewIirGrid();
    SimulatorState state;
    SetDefaultFirTable(fir, state);
    SetDefaultIirTable(iir, state);
    ApplyFirTable(read.lesson.fir, fir);
    ApplyIirTable(read.lesson.iir, iir);
    Check(CaptureFirTable(fir) == read.lesson.fir, "the FIR table comes back from the grid");
    Check(CaptureIirTable(iir) == read.lesson.iir, "the IIR table comes back from the grid");
    return 0;
}
