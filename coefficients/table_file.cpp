#include "coefficients/table_file.h"

#include "coefficients/coefficient_file.h"
#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "toolkit/number_text.h"

#include <string_view>

namespace signova {
namespace {

// A cell's text in a message is cut to this many bytes.
constexpr std::size_t QuotedCellLength = 40;

[[noreturn]] void Refuse(const std::string& what) {
    throw TableSaveRefused("Cannot save the table: " + what);
}

std::string Quoted(std::string_view text) {
    std::string quoted = "'";
    quoted.append(text.substr(0, QuotedCellLength));
    quoted.append(text.size() > QuotedCellLength ? "...'" : "'");
    return quoted;
}

// A value goes into the file as a line of its own, which Load cleans and
// the filter then reads: it must come back unchanged and be a number.
void CheckValue(const std::string& cell, const std::string& text) {
    if (text.empty())
        Refuse(cell + " is empty");
    if (text.find("//") != std::string::npos)
        Refuse(cell + " holds \"//\", which a coefficient file reads as a comment");
    if (text.find(',') != std::string::npos)
        Refuse(cell + " holds \",\", which a coefficient file reads as a decimal point");
    try {
        (void)StrToFloat(text);
    } catch (const SignovaError&) {
        Refuse(cell + " holds " + Quoted(text) + ", which is not a number");
    }
}

std::string Header(std::string_view kind, const std::string& title) {
    if (title.find_first_of("\r\n") != std::string::npos)
        Refuse("its title holds a line break");
    std::string text(CoefficientFileHeader);
    text += "\n//TYPE ";
    text += kind;
    text += '\n';
    // Load takes everything after "//TITLE" as the title, leading blanks too.
    if (!title.empty())
        text += "//TITLE" + title + "\n";
    return text;
}

// "h5", "a2", "b0": the coefficient a cell holds.
std::string CoefficientName(char letter, int index) {
    std::string name(1, letter);
    name.append(std::to_string(index));
    return name;
}

} // namespace

std::string FirTableFileText(const CellStore& grid, const std::string& title) {
    std::string text = Header("FIR", title);
    int row = 0;
    for (; !grid.Cell(FirValueColumn, row).empty(); ++row) {
        if (row == FirCoefficientCount)
            Refuse("it holds more than " + std::to_string(FirCoefficientCount) + " values");
        const std::string& value = grid.Cell(FirValueColumn, row);
        CheckValue(CoefficientName('h', row), value);
        text += value + "\n";
    }
    return text;
}

std::string IirTableFileText(const CellStore& grid, const std::string& title) {
    const int order = grid.RowCount() - IirGridFixedRows;
    if (order > MaxIirFileRows)
        Refuse("it has " + std::to_string(order) + " rows; a coefficient file holds at most " +
               std::to_string(MaxIirFileRows));
    std::string text = Header("IIR", title);
    std::string bValues;
    for (int n = 0; n < order; ++n) {
        const int row = n + IirGridFixedRows;
        const std::string& a = grid.Cell(IirAColumn, row);
        const std::string& b = grid.Cell(IirBColumn, row);
        if (n == 0) {
            text += "0\n"; // a0 is never used
        } else {
            CheckValue(CoefficientName('a', n), a);
            text += a + "\n";
        }
        CheckValue(CoefficientName('b', n), b);
        bValues += b + "\n";
    }
    return text + bValues;
}

} // namespace signova
