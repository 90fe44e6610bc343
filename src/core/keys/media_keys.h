#pragma once
// The multimedia functions in the order the editors list them, and the
// keyboard-side functions. A media key entry stores the media index; the
// keyboard receives its consumer usage. A function key entry stores the
// function index; what it does is the keyboard's business.

#include "core/keys/key_codes.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kw {

struct MediaKey {
    KeyCode code;
    std::uint16_t consumerUsage;
    std::string_view nameKey;
};

inline constexpr int kMediaKeyCount = 18;
const std::array<MediaKey, kMediaKeyCount>& MediaKeyTable();

// True exactly for the 18 codes of MediaKeyTable.
bool IsMediaKeyCode(KeyCode code);

// The media index of a consumer usage; -1 when no media function sends it.
int MediaIndexOfConsumerUsage(std::uint16_t usage);

// Keyboard-side functions: the language key of each function index 0..10
// ("FUNC_KEY_DESC1".."FUNC_KEY_DESC11").
inline constexpr int kFunctionKeyCount = 11;
const std::array<std::string_view, kFunctionKeyCount>& FunctionKeyTable();

} // namespace kw
