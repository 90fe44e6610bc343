#include "core/skin/slider_mapping.h"

#include <gtest/gtest.h>

namespace kw::skin {
namespace {

constexpr SliderGeometry kHundredWide{0, 5, 100, 20, false};

TEST(SliderMapping, PointerPixelToPosition) {
    struct Case {
        SliderGeometry geometry;
        int x;
        int y;
        int position;
    };
    const SliderGeometry tall{0, 5, 20, 100, true};
    const SliderGeometry shifted{10, 20, 100, 20, false};
    const Case cases[] = {
        {kHundredWide, 0, 0, 0},   // 10 * 5 / 100 truncates to 0
        {kHundredWide, 9, 0, 0},   // 19 * 5 / 100
        {kHundredWide, 10, 0, 1},  // the 10-pixel bias reaches the next notch early
        {kHundredWide, 90, 0, 5},  // 100 * 5 / 100
        {kHundredWide, 99, 0, 5},  // past the end clamps to the maximum
        {kHundredWide, -50, 0, 0}, // dragged out to the left clamps to the minimum
        {tall, 50, 0, 0},          // vertical sliders use y without the bias
        {tall, 0, 59, 2},          {tall, 0, 100, 5}, {shifted, 40, 0, 15},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionOfPixel(c.geometry, c.x, c.y), c.position) << "x " << c.x << " y " << c.y;
    }
}

TEST(SliderMapping, PositionToPixel) {
    EXPECT_EQ(pixelOfPosition(kHundredWide, 0), 0);
    EXPECT_EQ(pixelOfPosition(kHundredWide, 3), 60);
    EXPECT_EQ(pixelOfPosition({0, 3, 100, 20, false}, 1), 33);
    EXPECT_EQ(pixelOfPosition({0, 5, 20, 50, true}, 2), 20);
}

TEST(SliderMapping, EmptyRangeOrFaceHasOnlyTheMinimum) {
    const SliderGeometry emptyRange{3, 3, 100, 20, false};
    const SliderGeometry noFace{0, 5, 0, 0, false};
    EXPECT_EQ(positionOfPixel(emptyRange, 50, 0), 3);
    EXPECT_EQ(pixelOfPosition(emptyRange, 3), 0);
    EXPECT_EQ(positionOfPixel(noFace, 50, 0), 0);
    EXPECT_EQ(clampSliderPosition(emptyRange, 9), 3);
}

TEST(SliderMapping, NavigationKeys) {
    struct Case {
        int from;
        int page;
        SliderKey key;
        int to;
    };
    const Case cases[] = {
        {3, 10, SliderKey::PageUp, 0}, {3, 10, SliderKey::PageDown, 5},
        {3, 2, SliderKey::PageUp, 1},  {3, 10, SliderKey::Home, 0},
        {1, 10, SliderKey::End, 5},    {3, 10, SliderKey::Right, 4},
        {3, 10, SliderKey::Down, 4},   {3, 10, SliderKey::Left, 2},
        {3, 10, SliderKey::Up, 2},     {5, 10, SliderKey::Right, 5},
        {0, 10, SliderKey::Left, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionAfterKey(kHundredWide, c.from, c.page, c.key), c.to)
            << "from " << c.from << " key " << static_cast<int>(c.key);
    }
}

TEST(SliderMapping, WheelMovesOneStepPerNotchEvent) {
    EXPECT_EQ(wheelStep(120), -1);
    EXPECT_EQ(wheelStep(360), -1); // a fast scroll up still moves up
    EXPECT_EQ(wheelStep(-120), 1);
    EXPECT_EQ(wheelStep(-240), 1);
    EXPECT_EQ(wheelStep(119), 0);
    EXPECT_EQ(wheelStep(-15), 0);
    EXPECT_EQ(wheelStep(0), 0);
}

} // namespace
} // namespace kw::skin
