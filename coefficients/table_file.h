#pragma once

#include "toolkit/cell_store.h"
#include "toolkit/errors.h"

#include <string>

namespace signova {

// A table that Load would refuse or that a coefficient file cannot carry:
// "Cannot save the table: <cell> <reason>."
class TableSaveRefused : public SignovaError {
public:
    using SignovaError::SignovaError;
};

// The coefficient file of a table, as the Load button of its page reads it
// back into the same cell texts and the same filter: "//SIGNOVA", the kind
// line, "//TITLE" and the title when there is one, then one value per line.
// FIR: the values the filter reads, down to the first empty value cell.
// IIR: the a values of every row (a0, never used, as 0), then the b values.
// Throws TableSaveRefused naming the first cell that cannot go into the file.
std::string FirTableFileText(const CellStore& grid, const std::string& title);
std::string IirTableFileText(const CellStore& grid, const std::string& title);

} // namespace signova
