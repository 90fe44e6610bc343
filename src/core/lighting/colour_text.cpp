#include "core/lighting/colour_text.h"

#include <cstdio>

namespace kw {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::optional<Colorref> ParseColourText(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') {
        return std::nullopt;
    }
    std::uint8_t channels[3]{};
    for (std::size_t i = 0; i < 3; ++i) {
        const int high = hexDigit(text[1 + 2 * i]);
        const int low = hexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        channels[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return colorrefOf(Rgb{channels[0], channels[1], channels[2]});
}

std::string ColourText(Colorref colour) {
    const Rgb rgb = rgbOf(colour);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", rgb.red, rgb.green, rgb.blue);
    return buffer;
}

} // namespace kw
