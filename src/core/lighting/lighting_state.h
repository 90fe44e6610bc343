#pragma once
// What the main window keeps of the current profile's lighting record, and
// the lighting-view switch.

#include "core/lighting/rgb.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kw {

inline constexpr std::size_t kLightingAreaSize = 126;
inline constexpr std::uint8_t kDirectionFirst = 0xFF;  // left, up, or spread outwards
inline constexpr std::uint8_t kDirectionSecond = 0x00; // right, down, or gather inwards

struct LightingState {
    std::uint8_t effect = 0; // effect code 1..20
    std::uint8_t brightness = 0;
    std::uint8_t speed = 0;
    std::uint8_t direction = kDirectionFirst;
    bool multicolour = false;
    // The effect colour; every colour button shows this one value.
    Colorref colour = 0;
    Colorref colour2 = 0;
    bool multicolour2 = false;
    Colorref colour3 = 0;
    bool multicolour3 = false;
    std::uint8_t swatch = 0;
    std::uint8_t triggerMode = 0;
    std::uint8_t reportRate = 0;
    int selectedUserMode = 0;
    bool lightingView = false;
    // The keyboard's lighting area as last read.
    std::array<std::uint8_t, kLightingAreaSize> area{};
};

} // namespace kw
