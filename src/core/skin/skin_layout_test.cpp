#include "core/skin/skin_layout.h"
#include "testsupport/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace kw::skin {
namespace {

TEST(SkinRectParsing, ReadsLikeFourDecimalIntegers) {
    struct Case {
        std::string_view value;
        SkinRect rect;
    };
    const Case cases[] = {
        {"10,20,30,40", {10, 20, 30, 40}},
        {"10,20,30,40,x", {10, 20, 30, 40}}, // the default's trailing text
        {"10,20,30,40 ; moved left", {10, 20, 30, 40}},
        {" 10, 20,\t30, 40", {10, 20, 30, 40}}, // blanks before a number are skipped
        {"-5,+7,30,40", {-5, 7, 30, 40}},
        {"10,20", {10, 20, 0, 0}},       // missing numbers count as 0
        {"10 ,20,30,40", {10, 0, 0, 0}}, // the comma must follow the number
        {"10,20,abc,40", {10, 20, 0, 0}},
        {"", {0, 0, 0, 0}},
        {"99999999999,1,2,3", {2147483647, 1, 2, 3}}, // saturates instead of overflowing
        {kDefaultRectValue, {1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseSkinRect(c.value), c.rect) << '"' << c.value << '"';
    }
}

TEST(SkinRectRules, FaceIsCutOnePixelUpAndLeft) {
    EXPECT_EQ(faceOrigin({10, 20, 30, 40}), (FaceOrigin{9, 19}));
}

TEST(SkinRectRules, DefaultPlacementIsAnyRectangleAtOneOne) {
    EXPECT_TRUE(isDefaultPlacement(parseSkinRect(kDefaultRectValue)));
    EXPECT_TRUE(isDefaultPlacement({1, 1, 50, 20}));
    EXPECT_FALSE(isDefaultPlacement({1, 2, 50, 20}));
}

TEST(SkinRectRules, InsideWindowAndPicture) {
    struct Case {
        SkinRect rect;
        bool inWindow;
        bool inPicture;
    };
    // Window 200 x 100: its pictures are 300 x 200.
    const Case cases[] = {
        {{1, 1, 199, 99}, true, true},
        {{150, 50, 51, 10}, false, true},   // one pixel past the right edge
        {{0, 10, 10, 10}, true, false},     // the face would start at x = -1
        {{190, 90, 112, 10}, false, false}, // the face runs one pixel past the picture
        {{190, 90, 111, 10}, false, true},  // the face ends on the picture's last column
        {{10, 10, 0, 10}, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(insideWindow(c.rect, 200, 100), c.inWindow) << c.rect.x << "," << c.rect.width;
        EXPECT_EQ(faceInsidePicture(c.rect, 200, 100), c.inPicture)
            << c.rect.x << "," << c.rect.width;
    }
}

TEST(SkinRectRules, OverlapNeedsSharedPixels) {
    const SkinRect a{10, 10, 20, 20};
    EXPECT_TRUE(overlaps(a, {29, 29, 5, 5}));
    EXPECT_FALSE(overlaps(a, {30, 10, 5, 5})); // touching edges share no pixel
    EXPECT_FALSE(overlaps(a, {10, 30, 5, 5}));
}

TEST(SkinKeyNames, FormatsOfGeneratedKeys) {
    EXPECT_EQ(keyButtonSkinKey(0x1E), "KEY_01E");
    EXPECT_EQ(keyButtonSkinKey(0xB7), "KEY_0B7");
    EXPECT_EQ(gKeySkinKey(0), "FUNC_G1");
    EXPECT_EQ(gKeySkinKey(8), "FUNC_G9");
    EXPECT_EQ(arrowFrameKey(ArrowSide::Left, true), "UP_ARROW_LEFT1");
    EXPECT_EQ(arrowFrameKey(ArrowSide::Right, false), "DOWN_ARROW_RIGHT1");
    EXPECT_EQ(directionKeySuffix(2), "2");
    EXPECT_EQ(directionKeySuffix(12), "3");
    EXPECT_EQ(directionKeySuffix(18), "");
}

class SkinLayoutFile : public ::testing::Test {
protected:
    SkinLayout write(const std::string& text) {
        const auto file = dir_ / "Main.ini";
        std::ofstream(file) << text;
        return SkinLayout::load(file);
    }
    kw::testing::TempDir dir_;
};

TEST_F(SkinLayoutFile, KeysAndDefaults) {
    const SkinLayout layout = write("[SCREEN]\nMain=bg.bmp\n"
                                    "[buttoninfo]\nkey_01e=10,20,30,40\nOFFSET=5,6,0,0,moved\n"
                                    "[BUTTONINFO2]\nUP_ARROW_LEFT1=7,8,0,0\n");
    EXPECT_EQ(layout.rect("KEY_01E"), (SkinRect{10, 20, 30, 40})); // names ignore case
    EXPECT_EQ(layout.rect("KEY_FN"), (SkinRect{1, 1, 1, 1}));
    EXPECT_EQ(layout.rect(kFrameSection, "UP_ARROW_LEFT1"), (SkinRect{7, 8, 0, 0}));
    EXPECT_TRUE(layout.has(kButtonSection, "offset"));
    EXPECT_FALSE(layout.has(kButtonSection, "KEY_FN"));
}

TEST_F(SkinLayoutFile, ScreenPicturesAndLink) {
    struct Case {
        std::string screen;
        std::string background;
        std::string mask;
        std::string link;
    };
    const Case cases[] = {
        {"Main=bg.bmp\nMask=shape.bmp\nLink=https://a.example/", "bg.bmp", "shape.bmp",
         "https://a.example/"},
        {"Main=bg.bmp\n", "bg.bmp", "bg.bmp",
         std::string(kDefaultLink)}, // no mask: background shapes
        {"Main=bg.bmp\nMask=\nLink=\n", "bg.bmp", "bg.bmp", std::string(kDefaultLink)},
        {"Mask=shape.bmp\n", "", "shape.bmp", std::string(kDefaultLink)},
        {"", "", "", std::string(kDefaultLink)},
    };
    for (const Case& c : cases) {
        const SkinLayout layout = write("[SCREEN]\n" + c.screen);
        const auto expected = [&](const std::string& name) {
            return name.empty() ? std::filesystem::path() : dir_.path() / name;
        };
        EXPECT_EQ(layout.backgroundFile(), expected(c.background)) << c.screen;
        EXPECT_EQ(layout.maskFile(), expected(c.mask)) << c.screen;
        EXPECT_EQ(layout.link(), c.link) << c.screen;
    }
}

TEST_F(SkinLayoutFile, MissingFileHasEveryKeyAtTheDefault) {
    const SkinLayout layout = SkinLayout::load(dir_ / "absent.ini");
    EXPECT_EQ(layout.rect("CONTROL_OK"), (SkinRect{1, 1, 1, 1}));
    EXPECT_TRUE(layout.backgroundFile().empty());
    EXPECT_EQ(layout.folder(), dir_.path());
}

} // namespace
} // namespace kw::skin
