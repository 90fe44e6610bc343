#include "core/lighting/lighting_controls.h"
#include "core/lighting/lighting_state.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw {
namespace {

// One representative control per group, so every row below reads as the
// window would show the group.
struct Groups {
    bool selector, brightness, speed, direction, swatches, reactive, general, userMode;
};

Groups shownGroups(std::uint8_t effect, bool view) {
    auto shown = [&](int id) { return IsLightingControlShown(id, effect, view); };
    return {shown(kEffectSelector),        shown(kBrightnessSlider), shown(kSpeedSlider),
            shown(kFirstDirectionPicture), shown(kRedSwatch),        shown(kReactiveColourButton),
            shown(kGeneralColourButton),   shown(kUserModeSelector)};
}

TEST(LightingControlsVisibility, FollowsTheEffectWhileTheViewIsOn) {
    struct Case {
        std::uint8_t effect;
        Groups expected;
    };
    // selector, brightness, speed, direction, swatches, reactive, general, user mode
    const Case cases[] = {
        {1, {true, true, true, true, false, false, true, false}},
        {4, {true, true, true, false, false, false, false, false}},
        {6, {true, true, false, false, false, true, false, false}},
        {10, {true, true, true, false, false, false, true, false}},
        {12, {true, true, true, true, false, false, false, false}},
        {16, {true, true, false, false, false, true, false, false}},
        {17, {true, true, false, false, true, false, false, false}},
        {18, {true, true, false, true, false, false, false, false}},
        {20, {true, true, false, false, false, false, false, true}},
        // Codes the keyboard may list beyond the table: only what is always reachable.
        {19, {true, true, false, false, false, false, false, false}},
        {21, {true, true, false, false, false, false, false, false}},
        {0, {true, true, false, false, false, false, false, false}},
    };
    for (const auto& c : cases) {
        const Groups g = shownGroups(c.effect, true);
        const Groups& e = c.expected;
        const std::vector<bool> actual{g.selector, g.brightness, g.speed,   g.direction,
                                       g.swatches, g.reactive,   g.general, g.userMode};
        const std::vector<bool> expected{e.selector, e.brightness, e.speed,   e.direction,
                                         e.swatches, e.reactive,   e.general, e.userMode};
        EXPECT_EQ(actual, expected) << "effect " << int(c.effect);
    }
}

TEST(LightingControlsVisibility, ViewOffLeavesOnlyTheTitleAndTheToggle) {
    for (std::uint8_t effect : {1, 17, 20}) {
        EXPECT_TRUE(IsLightingControlShown(kLightingTitle, effect, false));
        EXPECT_TRUE(IsLightingControlShown(kLightingViewToggle, effect, false));
        for (int id : {kEffectSelector, kBrightnessCaption, kBrightnessSlider, kSpeedSlider,
                       kDirectionCaption, kGeneralColourButton, kRedSwatch, kUserModeSelector,
                       kColourToolPicture}) {
            EXPECT_FALSE(IsLightingControlShown(id, effect, false))
                << id << " effect " << int(effect);
        }
    }
}

TEST(LightingControlsPictures, DirectionPairsAndPlacements) {
    struct Case {
        std::uint8_t effect;
        std::uint8_t direction;
        const char* first;
        const char* second;
        const char* firstKey;
    };
    const Case cases[] = {
        {1, kDirectionFirst, "leftdown.bmp", "rightup.bmp", "CONTROL_BLFXLStaPic2"},
        {3, kDirectionSecond, "leftup.bmp", "rightdown.bmp", "CONTROL_BLFXLStaPic2"},
        {12, kDirectionFirst, "updown.bmp", "downup.bmp", "CONTROL_BLFXLStaPic3"},
        {12, kDirectionSecond, "upup.bmp", "downdown.bmp", "CONTROL_BLFXLStaPic3"},
        {18, kDirectionFirst, "kuosandown.bmp", "julong.bmp", "CONTROL_BLFXLStaPic"},
        {18, kDirectionSecond, "kuosan.bmp", "julongdown.bmp", "CONTROL_BLFXLStaPic"},
        {5, kDirectionSecond, "leftup.bmp", "rightdown.bmp", "CONTROL_BLFXLStaPic"},
    };
    for (const auto& c : cases) {
        const auto pictures = DirectionPicturesFor(c.effect, c.direction);
        EXPECT_EQ(pictures.first, c.first) << int(c.effect);
        EXPECT_EQ(pictures.second, c.second) << int(c.effect);
        EXPECT_EQ(DirectionPlacementKeys(c.effect).first, c.firstKey) << int(c.effect);
    }
    const auto rowWave = DirectionPlacementKeys(12);
    EXPECT_EQ(rowWave.caption, "CONTROL_BLFXStatic3");
    EXPECT_EQ(rowWave.second, "CONTROL_BLFXRStaPic3");
}

TEST(LightingControlsPictures, SwatchesShowTheSelectedOneAndTakeOddValuesAsRed) {
    EXPECT_EQ(SwatchPicture(0, 9), "hongok.bmp");
    EXPECT_EQ(SwatchPicture(1, 9), "huang.bmp");
    EXPECT_EQ(SwatchPicture(3, 3), "lanok.bmp");
    EXPECT_EQ(SwatchPicture(2, 3), "lv.bmp");
    EXPECT_EQ(ToolPicturesFor(0).colourTool, "user1down.bmp");
    EXPECT_EQ(ToolPicturesFor(0).baseColourTool, "user2up.bmp");
    EXPECT_EQ(ToolPicturesFor(1).colourTool, "user1up.bmp");
    EXPECT_EQ(ToolPicturesFor(1).baseColourTool, "user2down.bmp");
}

TEST(LightingControlsValueEdit, NumbersAboveTwoFiftyFiveBecome255) {
    struct Case {
        const char* text;
        const char* rewritten; // nullptr: the text stays
    };
    const Case cases[] = {
        {"300", "255"},   {"256", "255"},
        {"255", nullptr}, {"0", nullptr},
        {"", nullptr},    {"000255", nullptr},
        {"0256", "255"},  {"99999999999999999999999", "255"}, // too long for any integer type
    };
    for (const auto& c : cases) {
        const auto rewritten = ClampedValueEditText(c.text);
        if (c.rewritten) {
            EXPECT_EQ(rewritten, std::string(c.rewritten)) << c.text;
        } else {
            EXPECT_FALSE(rewritten) << c.text;
        }
    }
}

} // namespace
} // namespace kw
