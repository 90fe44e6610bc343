#include "core/lighting/lighting_block.h"
#include "core/lighting/lighting_sliders.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(LightingBlock, TriggerModeOutsideItsTwoValuesKeepsTheKeptOne) {
    std::array<std::uint8_t, kLightingBlockSize> block{};
    LightingState state;
    state.triggerMode = 1;
    block[kFieldTriggerMode] = 5;
    DecodeLightingBlock(block, state);
    EXPECT_EQ(state.triggerMode, 1);
    block[kFieldTriggerMode] = 0;
    DecodeLightingBlock(block, state);
    EXPECT_EQ(state.triggerMode, 0);
}

TEST(LightingBlock, AShortRecordChangesNothing) {
    std::array<std::uint8_t, kLightingBlockSize - 1> shortBlock{};
    shortBlock.fill(3);
    LightingState state;
    state.effect = 9;
    DecodeLightingBlock(shortBlock, state);
    EXPECT_EQ(state.effect, 9);
    EXPECT_EQ(state.brightness, 0);
}

TEST(LightingSliders, PositionsValuesAndFaces) {
    struct Case {
        int position;
        int brightness;
        int speed;
        const char* brightnessFace;
        const char* speedFace;
    };
    const Case cases[] = {
        {0, 0, 5, "0.bmp", "6.bmp"},  {3, 3, 2, "3.bmp", "9.bmp"},
        {5, 5, 0, "5.bmp", "11.bmp"}, {9, 5, 0, "5.bmp", "11.bmp"}, // past the end: the end
        {-2, 0, 5, "0.bmp", "6.bmp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BrightnessOfPosition(c.position), c.brightness) << c.position;
        EXPECT_EQ(SpeedOfPosition(c.position), c.speed) << c.position;
        EXPECT_EQ(BrightnessSliderFace(c.position), c.brightnessFace) << c.position;
        EXPECT_EQ(SpeedSliderFace(c.position), c.speedFace) << c.position;
    }
    EXPECT_EQ(PositionOfSpeed(2), 3) << "the default speed sits at position 3";
}

} // namespace
} // namespace kw
