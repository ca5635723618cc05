#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace signova {

// Width in pixels of a text (UTF-8) as the table draws it.
using TextWidth = std::function<int(std::string_view)>;

// A table cell that does not fit its column is cut where the column ends.
// For a number with an exponent the cut would show another number
// ("6.78282030788523e-06" as "6.7828203078"), so such a cell is drawn as the
// start of its mantissa, "…" and the whole exponent ("6.782820…e-06"),
// keeping at least the mantissa's first digit.
//
// Returns the text to draw in `available` pixels instead of `text`, or
// nothing when `text` is drawn as it is: it fits, it has no exponent, it is
// no number in the reader's grammar, or its mantissa is a single digit
// (nothing to leave out). A number too large for a double still counts as a
// number: its exponent tells how large it is. When even the shortest form
// does not fit, that form is returned and the drawing cuts it.
std::optional<std::string> ElidedCellText(std::string_view text, const TextWidth& width,
                                          int available);

} // namespace signova
