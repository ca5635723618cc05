// libFuzzer target: a coefficient file of any bytes, read and cleaned for
// either button with any answers to the questions, put into its table and
// converted to numbers as the filters convert it.

#include "coefficients/coefficient_file.h"
#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "toolkit/errors.h"
#include "toolkit/number_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace signova {
namespace {

// Answers the questions from the bits of one input byte.
class BitDialogs : public Dialogs {
public:
    explicit BitDialogs(std::uint8_t bits) : bits_(bits) {}
    void ShowMessage(const std::string&) override {}
    DialogResult Confirm(const std::string&) override { return Next(); }
    DialogResult AskInformation(const std::string&) override { return Next(); }
    void Inform(const std::string&) override {}
    void ShowError(const std::string&) override {}
    std::optional<std::string> ChooseFile() override { return std::nullopt; }

private:
    DialogResult Next() {
        const auto answer = static_cast<DialogResult>(bits_ % 4);
        bits_ = static_cast<std::uint8_t>((bits_ >> 2) | (bits_ << 6));
        return answer;
    }
    std::uint8_t bits_;
};

constexpr const char* EarlierTitle = "the earlier\nfile's title";

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void ConvertEveryLine(const LineBuffer& lines) {
    for (const std::string& line : lines.Lines()) {
        try {
            const double value = StrToFloat(line);
            Check(value == value); // never NaN
        } catch (const SignovaError&) {
        }
    }
}

} // namespace
} // namespace signova

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace signova;
    if (size < 1)
        return 0;
    const std::uint8_t control = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool iir = (control & 1) != 0;

    LineBuffer lines;
    lines.SetText(text);
    SimulatorState state;
    // A title is the rest of one line: it never holds a line break, so the
    // title of an earlier file is recognised whatever this file's title is.
    state.FileTitle = EarlierTitle;
    BitDialogs dialogs(static_cast<std::uint8_t>(control >> 1));

    if (iir) {
        CellStore grid = NewIirGrid();
        SetDefaultIirTable(grid, state);
        const TableLoad result = LoadIIRTable(state, grid, lines, dialogs);
        Check(state.IirOrder == grid.RowCount() - 1);
        Check(!result.accepted || state.IirOrder <= MaxIirFileRows);
        for (int key : {VirtualKeyInsert, VirtualKeyDelete, VirtualKeyShift})
            IirGridKeyDown(grid, state, key, true);
        Check(state.IirOrder >= 1 && state.IirOrder <= MaxIirOrder);
    } else {
        CellStore grid = NewFirGrid();
        SetDefaultFirTable(grid, state);
        const TableLoad result = LoadFIRTable(state, grid, lines, dialogs);
        Check(!result.accepted || grid.RowCount() <= MaxFirFileLines);
    }
    Check(state.FileTitle != EarlierTitle);
    if (!state.LoadError) {
        for (const std::string& line : lines.Lines())
            Check(line.rfind("//", 0) != 0);
    }
    ConvertEveryLine(lines);
    return 0;
}
