#pragma once
// Windows virtual keys and keyboard messages to key codes. Pure data and
// arithmetic: the Windows build feeds its keyboard hooks through these, the
// Linux build uses the evdev mapping instead.

#include "core/keys/key_codes.h"

#include <array>
#include <cstdint>

namespace kw {

// KeyTable row of each virtual-key code; 0 (no key) where none is listed.
const std::array<std::uint8_t, 256>& VirtualKeyMap();

KeyCode KeyCodeOfVirtualKey(std::uint8_t virtualKey);

// The key code of a keyboard message: the scan code and extended flag of the
// keystroke data word (bits 16..24) where there is one, the virtual key
// otherwise. Ctrl+Break is reported as Pause, Alt+Print Screen (Sys Req) as
// Print Screen, and an extended Right Shift as Right Shift.
KeyCode KeyCodeOfKeyMessage(std::uint8_t virtualKey, std::uint32_t keystrokeData);

} // namespace kw
