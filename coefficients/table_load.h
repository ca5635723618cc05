#pragma once

#include <string>

namespace signova {

// What a table loader tells the window. When `accepted`, the table holds the
// file: the window shows `label` as the table's title and reads the table into
// its filter at once. Otherwise every box has been shown already and the
// window does nothing more.
struct TableLoad {
    bool accepted = false;
    std::string label;
};

} // namespace signova
