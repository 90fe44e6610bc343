#pragma once
// The mouse functions of the single-key tab's list, in list order: left,
// right and middle button, wheel up and wheel down.

#include "core/keys/key_codes.h"

#include <array>
#include <string_view>

namespace kw {

inline constexpr int kMouseFunctionCount = 5;
inline constexpr std::array<KeyCode, kMouseFunctionCount> kMouseFunctionCodes = {
    0x171, 0x172, 0x173, 0x161, 0x162};
// The language keys of the list's entries, in the same order.
inline constexpr std::array<std::string_view, kMouseFunctionCount> kMouseFunctionTextKeys = {
    "IDS_KEYBOARD_MOU_LEFT", "IDS_KEYBOARD_MOU_RIGHT", "IDS_KEYBOARD_MOU_MIDDLE",
    "IDS_KEYBOARD_ROLL_UP", "IDS_KEYBOARD_ROLL_DOWN"};

// The list position of a mouse code; -1 for any other code.
int MousePositionOfCode(KeyCode code);
// The code at a list position; 0 (no key) for a position outside the list.
KeyCode MouseCodeOfPosition(int position);

} // namespace kw
