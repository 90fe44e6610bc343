#pragma once
// The key code space. A key code is the PC/AT scan code set 1 make code of a
// key, plus 0x100 when the make code carries the E0 prefix (Home is 0x147).
// Mouse, wheel, office and system functions have codes of our own in
// 0x15E..0x17E; the nine G-keys have codes from 0x200 up, as the keyboard's
// own key table names them. Code 0 means no key.
//
// A keyIndex addresses a KeyTable row (0..255) or, from 256 up, a G-key's
// configuration entry.

#include <cstdint>

namespace kw {

using KeyCode = std::uint16_t;

inline constexpr KeyCode kNoKey = 0;
inline constexpr int kKeyTableRows = 256;

inline constexpr int kGKeyCount = 9;
inline constexpr KeyCode kFirstGKeyCode = 0x200;
inline constexpr std::uint16_t kFirstGKeyIndex = 256;

// The keyIndex of a code: codes below 0x100 are their own row, 0x100..0x1FF
// fold onto rows 128..255 (and 0x180..0x1FF onto 0..127), G-key codes give
// 256 and up.
constexpr std::uint16_t KeyIndexOf(KeyCode code) {
    if (code < 0x100) {
        return code;
    }
    if (code < 0x200) {
        return static_cast<std::uint16_t>((code - 0x80) & 0xFF);
    }
    return static_cast<std::uint16_t>(code - 0x100);
}

// The code of a KeyTable row: rows 0..127 are their own code, rows 128..255
// are the E0-prefixed codes 0x100..0x17F.
constexpr KeyCode KeyCodeOfIndex(std::uint16_t row) {
    return static_cast<KeyCode>(row < 128 ? row : row + 0x80);
}

// G-key n, counted from 1 (G1..G9), has code 0x1FF + n.
constexpr KeyCode GKeyCode(int n) {
    return static_cast<KeyCode>(kFirstGKeyCode + n - 1);
}

constexpr bool IsGKeyCode(KeyCode code) {
    return code >= kFirstGKeyCode && code < kFirstGKeyCode + kGKeyCount;
}

} // namespace kw
