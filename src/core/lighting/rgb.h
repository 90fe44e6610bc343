#pragma once
// A colour as three channels, and the packed form the lighting state keeps
// (red in the low byte, then green, then blue).

#include <cstdint>

namespace kw {

using Colorref = std::uint32_t;

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb rgbOf(Colorref colour) {
    return Rgb{static_cast<std::uint8_t>(colour & 0xFF), static_cast<std::uint8_t>(colour >> 8),
               static_cast<std::uint8_t>(colour >> 16)};
}

constexpr Colorref colorrefOf(Rgb rgb) {
    return static_cast<Colorref>(rgb.red) | static_cast<Colorref>(rgb.green) << 8 |
           static_cast<Colorref>(rgb.blue) << 16;
}

// Every channel times level / 255, rounded down.
constexpr Rgb scaled(Rgb rgb, std::uint8_t level) {
    auto scale = [level](std::uint8_t channel) {
        return static_cast<std::uint8_t>(channel * level / 255);
    };
    return Rgb{scale(rgb.red), scale(rgb.green), scale(rgb.blue)};
}

} // namespace kw
