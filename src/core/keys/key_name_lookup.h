#pragma once
// Key codes from the names a user types: the English name of a key of the
// 111-entry key list ("A", "Page Up", "Left Button") or its language key
// without the "IDS_KEYBOARD_" prefix ("PAGE_UP", "RCTRL", "UP"), in any case,
// and the G-keys "G1".."G9".

#include "core/keys/key_codes.h"

#include <string_view>

namespace kw {

// The code of a key of the key list; kNoKey for any other name.
KeyCode KeyCodeOfListName(std::string_view name);

// The code of a key of the key list or of a G-key; kNoKey for any other name.
KeyCode KeyCodeOfName(std::string_view name);

} // namespace kw
