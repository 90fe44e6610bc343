#pragma once
// The keyboard's lighting area: one 42-byte record per profile. Fields are
// written one by one at profile x 42 + field offset, so the bytes this program
// does not interpret stay as the keyboard holds them.

#include "core/lighting/lighting_state.h"

#include <array>
#include <cstdint>
#include <span>

namespace kw {

inline constexpr std::size_t kLightingBlockSize = 42;
inline constexpr int kLightingProfiles = 3;
// Each record is fetched as a whole 56-byte window of which the first 42 count.
inline constexpr std::uint8_t kLightingReadWindow = 56;

// Field offsets inside one record.
enum LightingField : std::uint8_t {
    kFieldEffect = 0,
    kFieldBrightness = 1,
    kFieldSpeed = 2,
    kFieldDirection = 3,
    kFieldMulticolour = 4,
    kFieldColour = 5, // red, green, blue
    kFieldReportRate = 15,
    kFieldSwatch = 17,
    kFieldTriggerMode = 19,
    kFieldColour2 = 25,
    kFieldMulticolour2 = 28,
    kFieldColour3 = 30,
    kFieldMulticolour3 = 33,
};

inline constexpr int kMaxBrightness = 5;
inline constexpr int kMaxSpeed = 5;
inline constexpr std::uint8_t kMaxReportRate = 3;
inline constexpr std::uint8_t kMaxSwatch = 3;

// Offset of a field of `profile` in the lighting area.
constexpr std::uint16_t LightingFieldOffset(int profile, int field) {
    return static_cast<std::uint16_t>(profile * static_cast<int>(kLightingBlockSize) + field);
}

// Reads one record into the state, clamping what the controls cannot show:
// a report rate above 3 counts as 3, a swatch above 3 as 0, and a trigger
// mode other than 0 or 1 leaves the kept one. Fewer than 42 bytes change nothing.
void DecodeLightingBlock(std::span<const std::uint8_t> block, LightingState& state);

// The first 35 bytes of a record after restoring the default lighting: effect
// 1, brightness 4, speed 2, second direction, many colours, white, the rest 0.
inline constexpr std::size_t kDefaultLightingBytes = 35;
std::array<std::uint8_t, kDefaultLightingBytes> DefaultLightingBlock();

} // namespace kw
