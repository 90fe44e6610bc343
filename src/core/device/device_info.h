#pragma once
// The keyboard's 44-byte information block (command 0x03, written back with
// 0x04). It is kept as the bytes the keyboard sent, so that writing it back
// changes nothing the host does not mean to change.

#include <array>
#include <cstdint>
#include <span>

namespace kw {

inline constexpr std::size_t kDeviceInfoBytes = 44;
inline constexpr std::size_t kEffectSlots = 32;
inline constexpr std::size_t kMacroCapacityUnit = 128;

struct DeviceInfo {
    std::array<std::uint8_t, kDeviceInfoBytes> bytes{};

    std::uint16_t firmwareVersion() const;
    std::uint8_t activeProfile() const { return bytes[10]; }
    std::uint8_t macroCapacityUnits() const { return bytes[11]; }
    int macroCapacityBytes() const { return bytes[11] * static_cast<int>(kMacroCapacityUnit); }
    // The 32 effect slots, 0 marking an empty one.
    std::span<const std::uint8_t, kEffectSlots> effectSlots() const;

    void setFirmwareVersion(std::uint16_t version);
    void setActiveProfile(std::uint8_t profile) { bytes[10] = profile; }
    void setMacroCapacityUnits(std::uint8_t units) { bytes[11] = units; }
    std::span<std::uint8_t, kEffectSlots> effectSlots();

    friend bool operator==(const DeviceInfo&, const DeviceInfo&) = default;
};

} // namespace kw
