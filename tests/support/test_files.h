#pragma once

#include "toolkit/line_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace signova {

// The path of a fixture file in tests/data.
inline std::string DataFile(const std::string& name) {
    return std::string(SIGNOVA_TEST_DATA_DIR) + "/" + name;
}

// A fixture file read the way the Load buttons read it.
inline LineBuffer ReadDataFile(const std::string& name) {
    LineBuffer lines;
    EXPECT_EQ(lines.ReadFile(DataFile(name)), FileReadResult::Read) << name;
    return lines;
}

} // namespace signova
