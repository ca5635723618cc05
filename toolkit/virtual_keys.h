#pragma once

// Key codes as the toolkit hands them to a key handler: one number per key,
// whatever the modifiers. A letter key's code is its capital letter and a digit
// key's its digit character ('A' is 65, '0' is 48).
namespace signova {

constexpr int VirtualKeyNone = 0;
constexpr int VirtualKeyTab = 9;
constexpr int VirtualKeyReturn = 13;
constexpr int VirtualKeyShift = 16;
constexpr int VirtualKeyControl = 17;
constexpr int VirtualKeyAlt = 18;
constexpr int VirtualKeyEscape = 27;
constexpr int VirtualKeyInsert = 45;
constexpr int VirtualKeyDelete = 46;

} // namespace signova
