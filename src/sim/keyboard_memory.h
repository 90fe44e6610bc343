#pragma once
// Everything the simulated keyboard remembers across a power cycle: its
// information block, lighting area, key tables, factory key table, macro area
// and per-key colours. Saved to and loaded from a state file.

#include "core/device/device_info.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kw::sim {

inline constexpr std::size_t kLightingAreaBytes = 126;
inline constexpr std::size_t kKeyTableBytes = 420;
inline constexpr std::size_t kAreaStride = 512; // key tables and colours, per profile
inline constexpr std::size_t kProfiles = 3;

struct KeyboardMemory {
    DeviceInfo info;
    std::array<std::uint8_t, kLightingAreaBytes> lighting{};
    std::array<std::uint8_t, kKeyTableBytes> defaultMatrix{};
    std::array<std::array<std::uint8_t, kKeyTableBytes>, kProfiles> keyTables{};
    std::array<std::array<std::uint8_t, kKeyTableBytes>, kProfiles> keyColours{};
    std::vector<std::uint8_t> macroArea; // macro capacity bytes

    // A keyboard as it leaves the factory.
    static KeyboardMemory factory();
    // Resizes the macro area to the capacity in the information block.
    void setMacroCapacityUnits(std::uint8_t units);

    friend bool operator==(const KeyboardMemory&, const KeyboardMemory&) = default;
};

// The factory key table: the built-in slots 0..63, then every other key of
// the drawn keyboard and the nine G-keys.
std::array<std::uint8_t, kKeyTableBytes> factoryDefaultMatrix();

std::vector<std::uint8_t> serializeMemory(const KeyboardMemory& memory);
std::optional<KeyboardMemory> deserializeMemory(std::span<const std::uint8_t> bytes);
bool saveMemory(const std::filesystem::path& path, const KeyboardMemory& memory);
// Nullopt when the file is missing or not a state file of ours.
std::optional<KeyboardMemory> loadMemory(const std::filesystem::path& path);

} // namespace kw::sim
