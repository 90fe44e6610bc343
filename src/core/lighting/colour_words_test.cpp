#include "core/lighting/colour_words.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(ColourWordKey, NamesTheNearestPlainColour) {
    struct Case {
        Rgb rgb;
        std::string_view key;
    };
    const Case cases[] = {
        {{0, 0, 0}, "COLOUR_BLACK"},         {{30, 10, 40}, "COLOUR_BLACK"},
        {{255, 255, 255}, "COLOUR_WHITE"},   {{128, 128, 128}, "COLOUR_GREY"},
        {{240, 230, 225}, "COLOUR_WHITE"},   {{255, 0, 0}, "COLOUR_RED"},
        {{255, 0, 40}, "COLOUR_RED"},        {{255, 128, 0}, "COLOUR_ORANGE"},
        {{255, 255, 0}, "COLOUR_YELLOW"},    {{0, 255, 0}, "COLOUR_GREEN"},
        {{0, 255, 255}, "COLOUR_CYAN"},      {{0, 0, 255}, "COLOUR_BLUE"},
        {{128, 0, 255}, "COLOUR_PURPLE"},    {{255, 0, 255}, "COLOUR_PINK"},
        {{0x22, 0xD3, 0xEE}, "COLOUR_CYAN"}, // the skin's accent
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColourWordKey(colorrefOf(c.rgb)), c.key)
            << int(c.rgb.red) << "," << int(c.rgb.green) << "," << int(c.rgb.blue);
    }
}

} // namespace
} // namespace kw
