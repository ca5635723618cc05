// libFuzzer target: a coefficient file of any bytes split into lines and
// checked and cleaned for either button, with any answers to the questions.
// A model of its own, written from the file format, tells which boxes come in
// which order, whether the file is refused, the title, the cleaned lines and
// IirOrder; the program must agree on every one.
//
// Input: byte 0 picks the button (bit 0: IIR), byte 1 the answers (two bits
// each), the rest is the file.

#include "coefficients/coefficient_file.h"
#include "fuzz/fuzz_support.h"
#include "toolkit/line_buffer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace signova::fuzz {
namespace {

using Lines = std::vector<std::string>;

// Lines end at CR LF, a CR alone or an LF alone; an empty last line is none.
Lines SplitLines(std::string_view text) {
    Lines lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

bool Contains(const std::string& line, std::string_view part) {
    return line.find(part) != std::string::npos;
}

struct Expected {
    bool refused = false;
    std::string title;
    Lines lines;
    int iirOrder = 0;
};

// What checking and cleaning must give; the model shows its boxes into
// `boxes`, which answers exactly as the program's dialogs do.
Expected Model(const Lines& file, std::string_view kind, RecordingDialogs& boxes,
               int previousOrder) {
    Expected expected;
    expected.lines = file;
    expected.iirOrder = previousOrder;
    auto refuse = [&] {
        boxes.Inform("Data not loaded");
        expected.refused = true;
        return expected;
    };
    const std::string firstLine = file.empty() ? std::string() : file.front();
    if (firstLine != "//SIGNOVA" &&
        boxes.Confirm("This is no standard SIGNOVA file. Continue?") == DialogResult::No)
        return refuse();
    for (const std::string& line : file) {
        if (Contains(line, "//TYPE") && !Contains(line, kind) &&
            boxes.AskInformation("This is no " + std::string(kind) + "-file. Continue?") ==
                DialogResult::No)
            return refuse();
        if (Contains(line, "//TITLE"))
            expected.title = line.substr(7);
    }
    expected.lines.clear();
    for (std::string line : file) {
        const std::size_t comment = line.find("//");
        if (comment == 0)
            continue;
        if (comment != std::string::npos)
            line = line.substr(0, comment) + line.substr(std::min(line.size(), comment + 50));
        const std::size_t comma = line.find(',');
        if (comma != std::string::npos)
            line[comma] = '.';
        expected.lines.push_back(line);
    }
    if (kind == "IIR") {
        expected.iirOrder = static_cast<int>(expected.lines.size() / 2);
        if (expected.iirOrder == 0) {
            boxes.Inform("This is not a proper IIR-file");
            expected.refused = true;
        }
    }
    return expected;
}

} // namespace
} // namespace signova::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace signova;
    using namespace signova::fuzz;
    if (size < 2)
        return 0;
    const std::string_view kind = (data[0] & 1) != 0 ? "IIR" : "FIR";
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    LineBuffer lines;
    lines.SetText(text);
    const Lines file = SplitLines(text);
    Check(lines.Lines() == file, "lines split at CR LF, CR and LF");

    constexpr int PreviousOrder = 7;
    SimulatorState state;
    // A title never holds a line break: this one can only be an earlier file's.
    state.FileTitle = "the earlier\nfile's title";
    state.IirOrder = PreviousOrder;
    RecordingDialogs dialogs(data[1]);
    RecordingDialogs modelBoxes(data[1]);
    const Expected expected = Model(file, kind, modelBoxes, PreviousOrder);

    PrepareCoefficientFile(state, lines, kind, dialogs);

    Check(dialogs.shown == modelBoxes.shown, "the boxes and their order");
    Check(state.LoadError == expected.refused, "LoadError set exactly when refused");
    Check(state.FileTitle == expected.title, "the title of the last title line, else none");
    Check(lines.Lines() == expected.lines, "cleaned lines, or untouched when refused");
    Check(state.IirOrder == expected.iirOrder, "IirOrder: half the lines, rounded down");
    return 0;
}
