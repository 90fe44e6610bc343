#pragma once
// KeyTable: one row per keyIndex 0..255 with the key's device code byte, its
// place in the editors' key list, its display-name key and its English name.
// The key list is the 111 keys the macro editor offers, positions 0..110.

#include "core/keys/key_codes.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kw {

inline constexpr std::uint16_t kNotInKeyList = 0xFFFF;
inline constexpr int kKeyListSize = 111;

struct KeyRow {
    // The key's device code byte: 0x00/0xFF none, 0x81..0x83 system control,
    // 0xC0..0xDF consumer (index into ConsumerUsageTable), 0xF1..0xF8 mouse,
    // anything else a HID Keyboard/Keypad usage.
    std::uint8_t usageByte = 0;
    std::uint16_t listPosition = kNotInKeyList;
    std::string_view nameKey;     // language key of the display name; empty when none
    std::string_view englishName; // empty for an empty row
};

using KeyTableRows = std::array<KeyRow, kKeyTableRows>;

const KeyTableRows& KeyTable();

// The row of a code, or nullptr for codes that have none (G-keys and above).
const KeyRow* KeyRowOf(KeyCode code);

// The code of the first row (in row order) at that list position; 0 when none.
// Right Shift has two rows at position 103, so 103 gives 0x036.
KeyCode KeyCodeOfListPosition(std::uint16_t position);

// The list position of the code's row; kNotInKeyList when it is not in the list.
std::uint16_t ListPositionOf(KeyCode code);

} // namespace kw
