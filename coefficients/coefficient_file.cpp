#include "coefficients/coefficient_file.h"

#include <cstddef>
#include <string>

namespace signova {
namespace {

constexpr std::string_view TypeTag = "//TYPE";
constexpr std::string_view TitleTag = "//TITLE";
constexpr std::string_view CommentStart = "//";
// A trailing comment removes this many bytes, starting with its "//"; any
// text beyond them stays in the line.
constexpr std::size_t TrailingCommentLength = 50;

bool Contains(std::string_view line, std::string_view text) {
    return line.find(text) != std::string_view::npos;
}

void RefuseFile(SimulatorState& state, Dialogs& dialogs) {
    dialogs.Inform("Data not loaded");
    state.LoadError = true;
}

// Asks about every "//TYPE" line that does not name `kind` and takes the title
// from every "//TITLE" line, in file order. False when the user answered No.
bool ReadTags(SimulatorState& state, const LineBuffer& lines, std::string_view kind,
              Dialogs& dialogs) {
    const std::string kindQuestion = "This is no " + std::string(kind) + "-file. Continue?";
    for (const std::string& line : lines.Lines()) {
        if (Contains(line, TypeTag) && !Contains(line, kind) &&
            dialogs.AskInformation(kindQuestion) == DialogResult::No) {
            return false;
        }
        if (Contains(line, TitleTag))
            state.FileTitle = line.substr(TitleTag.size());
    }
    return true;
}

// Cleans one line in place; false when the whole line is a comment.
bool CleanLine(std::string& line) {
    const std::size_t comment = line.find(CommentStart);
    if (comment == 0)
        return false;
    if (comment != std::string::npos)
        line.erase(comment, TrailingCommentLength);
    const std::size_t comma = line.find(',');
    if (comma != std::string::npos)
        line[comma] = '.';
    return true;
}

} // namespace

void PrepareCoefficientFile(SimulatorState& state, LineBuffer& lines, std::string_view kind,
                            Dialogs& dialogs) {
    // Every file starts untitled, so a file without a title line never shows
    // the title of the file loaded before it.
    state.FileTitle.clear();

    if (lines.Line(0) != CoefficientFileHeader &&
        dialogs.Confirm("This is no standard SIGNOVA file. Continue?") == DialogResult::No) {
        RefuseFile(state, dialogs);
        return;
    }
    if (!ReadTags(state, lines, kind, dialogs)) {
        RefuseFile(state, dialogs);
        return;
    }

    lines.RewriteLines(CleanLine);

    if (kind == "IIR") {
        state.IirOrder = lines.Count() / 2;
        if (state.IirOrder == 0) {
            dialogs.Inform("This is not a proper IIR-file");
            state.LoadError = true;
        }
    }
}

} // namespace signova
