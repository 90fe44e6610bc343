#include "core/keys/device_codes.h"

#include "core/keys/key_table.h"

namespace kw {

const std::array<std::uint16_t, kConsumerUsageCount>& ConsumerUsageTable() {
    static constexpr std::array<std::uint16_t, kConsumerUsageCount> table{
        0x00E9, // 0xC0 Volume Increment
        0x00EA, // 0xC1 Volume Decrement
        0x0183, // 0xC2 AL Consumer Control Configuration
        0x018A, // 0xC3 AL Email Reader
        0x0192, // 0xC4 AL Calculator
        0x0194, // 0xC5 AL Local Machine Browser
        0x0221, // 0xC6 AC Search
        0x0223, // 0xC7 AC Home
        0x0224, // 0xC8 AC Back
        0x0225, // 0xC9 AC Forward
        0x0226, // 0xCA AC Stop
        0x0227, // 0xCB AC Refresh
        0x022A, // 0xCC AC Bookmarks
        0x00E2, // 0xCD Mute
        0x00CD, // 0xCE Play/Pause
        0x00B7, // 0xCF Stop
        0x00B6, // 0xD0 Scan Previous Track
        0x00B5, // 0xD1 Scan Next Track
    };
    return table;
}

DeviceCode DeviceCodeOf(KeyCode code) {
    const KeyRow* row = KeyRowOf(code);
    const std::uint8_t b = row ? row->usageByte : 0;
    if (b == 0x00 || b == 0xFF) {
        return {kDeviceNone, 0};
    }
    if (b >= 0x81 && b <= 0x83) {
        return {kDeviceSystemControl, b};
    }
    if (b >= 0xF1 && b <= 0xF8) {
        return {kDeviceMouse, b};
    }
    return {kDeviceKeyboard, b};
}

namespace {

// The usageByte a device code stands for; 0 when it stands for none.
std::uint16_t targetUsageByte(DeviceCode deviceCode) {
    switch (deviceCode.category) {
    case kDeviceKeyboard:
        return deviceCode.value;
    case kDeviceSystemControl:
        return deviceCode.value >= 0x81 && deviceCode.value <= 0x83 ? deviceCode.value : 0;
    case kDeviceConsumer: {
        // Usage 0 is "unassigned"; matched against the table's empty tail it
        // would come back as Zoom- (0xD2), so it stands for no key.
        if (deviceCode.value == 0) {
            return 0;
        }
        const auto& usages = ConsumerUsageTable();
        for (std::size_t i = 0; i < usages.size(); ++i) {
            if (usages[i] == deviceCode.value) {
                return static_cast<std::uint16_t>(0xC0 + i);
            }
        }
        return 0;
    }
    default:
        return 0;
    }
}

} // namespace

KeyCode KeyCodeOfDeviceCode(DeviceCode deviceCode) {
    const std::uint16_t target = targetUsageByte(deviceCode);
    const auto& rows = KeyTable();
    for (std::uint16_t row = 0; row < rows.size(); ++row) {
        if (rows[row].usageByte == target) {
            return KeyCodeOfIndex(row);
        }
    }
    return kNoKey;
}

KeyCode KeyCodeOfModifierMask(std::uint8_t mask) {
    for (const auto& bit : kModifierBits) {
        if (mask & bit.mask) {
            return bit.code;
        }
    }
    return kNoKey;
}

} // namespace kw
