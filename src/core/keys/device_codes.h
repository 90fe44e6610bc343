#pragma once
// Device codes: what the keyboard is told for a key code (a HID usage and its
// kind), the consumer usages of the media keys, and the HID modifier mask
// bits, with the conversions both ways.

#include "core/keys/key_codes.h"

#include <array>
#include <cstdint>

namespace kw {

// Categories of a DeviceCode (the HID usage page where there is one).
enum DeviceCategory : std::uint16_t {
    kDeviceNone = 0,
    kDeviceSystemControl = 1, // Generic Desktop 0x81..0x83
    kDeviceMouse = 2,         // 0xF1..0xF8
    kDeviceKeyboard = 7,      // Keyboard/Keypad usage (and the raw consumer bytes 0xC0..0xDF)
    kDeviceConsumer = 12,     // a 16-bit consumer usage; accepted only as input
};

struct DeviceCode {
    std::uint16_t category = kDeviceNone;
    std::uint16_t value = 0;
    friend bool operator==(const DeviceCode&, const DeviceCode&) = default;
};

// HID Consumer page usages, indexed by usageByte - 0xC0; entries 18..31 are 0.
inline constexpr int kConsumerUsageCount = 32;
const std::array<std::uint16_t, kConsumerUsageCount>& ConsumerUsageTable();

// The device code of a key from its row's usageByte. Consumer bytes come out
// as the keyboard category with the raw byte; MediaKeyTable gives the usage.
DeviceCode DeviceCodeOf(KeyCode code);

// The code of the first KeyTable row whose usageByte is the target byte of
// the device code; 0 when there is none.
KeyCode KeyCodeOfDeviceCode(DeviceCode deviceCode);

// HID boot-keyboard modifier bits, lowest first, and the code of each.
struct ModifierBit {
    std::uint8_t mask;
    KeyCode code;
};
inline constexpr std::array<ModifierBit, 8> kModifierBits{{
    {0x01, 0x01D}, // Left Ctrl
    {0x02, 0x02A}, // Left Shift
    {0x04, 0x038}, // Left Alt
    {0x08, 0x15B}, // Left Win
    {0x10, 0x11D}, // Right Ctrl
    {0x20, 0x036}, // Right Shift
    {0x40, 0x138}, // Right Alt
    {0x80, 0x15C}, // Right Win
}};

// The code of the lowest set bit; 0 when the mask is 0.
KeyCode KeyCodeOfModifierMask(std::uint8_t mask);

} // namespace kw
