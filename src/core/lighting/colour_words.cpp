#include "core/lighting/colour_words.h"

#include <algorithm>
#include <array>

namespace kw {

std::string_view ColourWordKey(Colorref colour) {
    const Rgb c = rgbOf(colour);
    const int high = std::max({c.red, c.green, c.blue});
    const int low = std::min({c.red, c.green, c.blue});
    if (high < 48) {
        return "COLOUR_BLACK";
    }
    // Little saturation: a grey, named by its lightness.
    if ((high - low) * 100 < high * 20) {
        return high >= 200 ? "COLOUR_WHITE" : "COLOUR_GREY";
    }
    // Hue in degrees, from the channel that is highest.
    const int range = high - low;
    int hue = 0;
    if (high == c.red) {
        hue = 60 * (c.green - c.blue) / range;
    } else if (high == c.green) {
        hue = 120 + 60 * (c.blue - c.red) / range;
    } else {
        hue = 240 + 60 * (c.red - c.green) / range;
    }
    hue = (hue + 360) % 360;
    struct Band {
        int below;
        std::string_view key;
    };
    static constexpr std::array<Band, 8> kHues = {{{15, "COLOUR_RED"},
                                                   {45, "COLOUR_ORANGE"},
                                                   {70, "COLOUR_YELLOW"},
                                                   {160, "COLOUR_GREEN"},
                                                   {200, "COLOUR_CYAN"},
                                                   {255, "COLOUR_BLUE"},
                                                   {290, "COLOUR_PURPLE"},
                                                   {335, "COLOUR_PINK"}}};
    for (const Band& band : kHues) {
        if (hue < band.below) {
            return band.key;
        }
    }
    return "COLOUR_RED";
}

} // namespace kw
