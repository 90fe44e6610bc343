// Checks the skin the build drew: every key a window reads is there, every
// control lies inside its window, key buttons never overlap, and every
// picture a window loads exists with the window's size, and beside it at
// twice the size.

#include "core/keys/key_buttons.h"
#include "core/skin/skin_keys.h"
#include "core/skin/skin_layout.h"
#include "core/skin/slider_mapping.h"
#include "gui/skin/skin_picture.h"
#include "gui/skin/test_application.h"
#include "testsupport/temp_dir.h"

#include <QImage>
#include <QTransform>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kw::skin {
namespace {

std::filesystem::path skinsFolder() {
    return kw::testing::programFolder() / std::string(kSkinsFolder);
}

QImage picture(const std::string& relativeToProgram) {
    return QImage(
        QString::fromStdString((kw::testing::programFolder() / relativeToProgram).string()));
}

struct WindowSkin {
    std::string_view file;
    std::vector<std::string> imageButtons;
    std::vector<std::string> controls;
    std::vector<std::string> pictures; // relative to the program folder
};

std::vector<std::string> strings(auto const& list) {
    return {list.begin(), list.end()};
}

std::vector<std::string> mainKeyButtons() {
    std::vector<std::string> keys;
    for (int row = 0; row < kKeyButtonCount; ++row) {
        keys.push_back(KeyButtonSkinKey(row));
    }
    for (int ordinal = 0; ordinal < 9; ++ordinal) {
        keys.push_back(GKeyButtonSkinKey(ordinal));
    }
    keys.push_back("KEY_FN");
    keys.insert(keys.end(), kLayerKeyButtonKeys.begin(), kLayerKeyButtonKeys.end());
    return keys;
}

std::vector<WindowSkin> windows() {
    std::vector<std::string> mainButtons = strings(kMainImageButtonKeys);
    for (const std::string& key : mainKeyButtons()) {
        mainButtons.push_back(key);
    }
    std::vector<std::string> composite;
    for (const auto& set : kCompositePagePictures) {
        composite.insert(composite.end(), set.begin(), set.end());
    }
    return {
        {kMainSkinFile, mainButtons, strings(kMainControlKeys), strings(kMainStatePictures)},
        {kCompositeSkinFile, strings(kCompositeImageButtonKeys), strings(kCompositeControlKeys),
         composite},
        {kProfileSkinFile, strings(kProfileImageButtonKeys), strings(kProfileControlKeys),
         strings(kProfilePictures)},
        {kUpdateSkinFile, strings(kUpdateImageButtonKeys), strings(kUpdateControlKeys),
         strings(kUpdatePictures)},
    };
}

class GeneratedSkin : public ::testing::TestWithParam<WindowSkin> {
protected:
    void SetUp() override {
        kw::gui::testing::application();
        layout = SkinLayout::load(skinsFolder() / std::string(GetParam().file));
        const QImage background(QString::fromStdString(layout.backgroundFile().string()));
        ASSERT_FALSE(background.isNull()) << GetParam().file << ": no background";
        size = background.size();
    }
    SkinLayout layout;
    QSize size;
};

TEST_P(GeneratedSkin, BackgroundAndMaskHaveTheWindowSize) {
    const QImage mask(QString::fromStdString(layout.maskFile().string()));
    EXPECT_EQ(mask.size(), size);
    EXPECT_GE(size.width(), 300);
    EXPECT_GE(size.height(), 200);
}

TEST_P(GeneratedSkin, EveryKeyTheWindowReadsIsThere) {
    for (const auto& key : GetParam().imageButtons) {
        EXPECT_TRUE(layout.has(kButtonSection, key)) << GetParam().file << ": " << key;
    }
    for (const auto& key : GetParam().controls) {
        EXPECT_TRUE(layout.has(kButtonSection, key)) << GetParam().file << ": " << key;
    }
}

TEST_P(GeneratedSkin, EveryControlLiesInsideTheWindowAndNoButtonIsDisabledByItsPlace) {
    for (const std::string& key : layout.document().keys(kButtonSection)) {
        const SkinRect r = layout.rect(key);
        EXPECT_TRUE(insideWindow(r, size.width(), size.height())) << GetParam().file << ": " << key;
        EXPECT_TRUE(faceInsidePicture(r, size.width(), size.height()))
            << GetParam().file << ": " << key;
        EXPECT_FALSE(isDefaultPlacement(r)) << GetParam().file << ": " << key;
    }
}

TEST_P(GeneratedSkin, EveryPictureExistsWithTheWindowSize) {
    for (const auto& name : GetParam().pictures) {
        const QImage image = picture(name);
        EXPECT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.size(), size) << name;
    }
}

std::string windowName(const ::testing::TestParamInfo<WindowSkin>& window) {
    return std::string(window.param.file.substr(0, window.param.file.find('.')));
}

INSTANTIATE_TEST_SUITE_P(Windows, GeneratedSkin, ::testing::ValuesIn(windows()), windowName);

class GeneratedMainSkin : public ::testing::Test {
protected:
    void SetUp() override {
        kw::gui::testing::application();
        layout = SkinLayout::load(skinsFolder() / std::string(kMainSkinFile));
    }
    SkinRect controlRect(std::string_view key) const { return layout.rect(key); }
    QSize controlSize(std::string_view key) const {
        const SkinRect r = layout.rect(key);
        return {r.width, r.height};
    }
    QImage skinPicture(const std::string& name) const {
        return QImage(QString::fromStdString((skinsFolder() / name).string()));
    }
    SkinLayout layout;
};

TEST_F(GeneratedMainSkin, KeyButtonsNeverOverlap) {
    const std::vector<std::string> keys = mainKeyButtons();
    for (std::size_t a = 0; a < keys.size(); ++a) {
        for (std::size_t b = a + 1; b < keys.size(); ++b) {
            EXPECT_FALSE(overlaps(layout.rect(keys[a]), layout.rect(keys[b])))
                << keys[a] << " and " << keys[b];
        }
    }
}

TEST_F(GeneratedMainSkin, ArrowFramesLieInsideTheirSheet) {
    const QImage sheet = picture(std::string(kArrowPicture));
    ASSERT_FALSE(sheet.isNull());
    for (const ArrowSide side : {ArrowSide::Left, ArrowSide::Right}) {
        const SkinRect position = layout.rect(arrowPositionKey(side));
        for (const bool up : {true, false}) {
            const std::string key = arrowFrameKey(side, up);
            ASSERT_TRUE(layout.has(kFrameSection, key)) << key;
            const FaceOrigin origin = faceOrigin(layout.rect(kFrameSection, key));
            EXPECT_TRUE(QRect(0, 0, sheet.width(), sheet.height())
                            .contains(QRect(origin.x, origin.y, position.width, position.height)))
                << key;
        }
    }
}

TEST_F(GeneratedMainSkin, LightingPicturesFitTheControlsThatShowThem) {
    const std::map<std::string, std::string> shownBy = {
        {"dengup.bmp", "CONTROL_DengStaPic"},  {"sjsdown.bmp", "CONTROL_HXsjsStaPic"},
        {"leftup.bmp", "CONTROL_BLFXLStaPic"}, {"julongdown.bmp", "CONTROL_BLFXRStaPic"},
        {"hongok.bmp", "CONTROL_HONGPIC"},     {"user2down.bmp", "CONTROL_USERgjStaPic2"},
        {"jdt7.bmp", "CONTROL_JDTStatic"},     {"0.bmp", "CONTROL_LightSlider"},
        {"11.bmp", "CONTROL_SpeedSlider"},     {"Color8.bmp", "CONTROL_Color8"},
        {"logo_mask.bmp", "CONTROL_Network"},
    };
    for (const auto& [file, key] : shownBy) {
        EXPECT_EQ(skinPicture(file).size(), controlSize(key)) << file;
    }
    std::vector<std::string> all = strings(kLightingPictures);
    for (int frame = 1; frame <= kBusyFrameCount; ++frame) {
        all.push_back("jdt" + std::to_string(frame) + ".bmp");
    }
    for (int face = 0; face < kSliderFaceCount; ++face) {
        all.push_back(std::to_string(face) + ".bmp");
    }
    for (const char* png : {"logo_normal.png", "logo_over.png", "logo_down.png", "logo_disable.png",
                            "tray_absent.png", "tray_present.png", "tray_event.png"}) {
        all.push_back(png);
    }
    for (const std::string& file : all) {
        EXPECT_FALSE(skinPicture(file).isNull()) << file;
    }
}

TEST(GeneratedSkinPictures, EveryPictureHasADoubleSizeOneBesideIt) {
    kw::gui::testing::application();
    int pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(skinsFolder())) {
        const std::filesystem::path file = entry.path();
        const std::string stem = file.stem().string();
        const std::string ext = file.extension().string();
        if ((ext != ".jpg" && ext != ".bmp" && ext != ".png") || stem.ends_with("@2x")) {
            continue;
        }
        ++pictures;
        const std::filesystem::path doubled = file.parent_path() / (stem + "@2x" + ext);
        const QImage single(QString::fromStdString(file.string()));
        const QImage twice(QString::fromStdString(doubled.string()));
        ASSERT_FALSE(twice.isNull()) << doubled;
        EXPECT_EQ(twice.size(), single.size() * 2) << doubled;
    }
    EXPECT_GT(pictures, 0);
}

TEST(GeneratedSkinPictures, DoubleSizeMasksGiveTheSameShape) {
    kw::gui::testing::application();
    std::vector<std::filesystem::path> masks = {skinsFolder() / "logo_mask.bmp"};
    for (const auto file : {kMainSkinFile, kCompositeSkinFile, kProfileSkinFile, kUpdateSkinFile}) {
        masks.push_back(SkinLayout::load(skinsFolder() / std::string(file)).maskFile());
    }
    for (const std::filesystem::path& mask : masks) {
        const QString single = QString::fromStdString(mask.string());
        const QRegion shape = kw::gui::RegionFromMask(QImage(single));
        ASSERT_FALSE(shape.isEmpty()) << mask;
        const QRegion doubled = kw::gui::RegionFromMask(QImage(kw::gui::DoubleSizeName(single)));
        EXPECT_TRUE((doubled ^ QTransform::fromScale(2, 2).map(shape)).isEmpty()) << mask;
    }
}

TEST_F(GeneratedMainSkin, SliderFacesPutEachPositionWhereThePointerFindsIt) {
    // The knob of face n is the white disc; a press on its centre must read back n.
    const SkinRect slider = controlRect("CONTROL_LightSlider");
    for (int position = 0; position <= 5; ++position) {
        const QImage face = skinPicture(std::to_string(position) + ".bmp");
        int sum = 0;
        int count = 0;
        for (int x = 0; x < face.width(); ++x) {
            if (qGray(face.pixel(x, face.height() / 2)) >= 235) {
                sum += x;
                ++count;
            }
        }
        ASSERT_GT(count, 0) << "no knob on face " << position;
        const int knobX = sum / count;
        const SliderGeometry geometry{0, 5, slider.width, slider.height, false};
        EXPECT_EQ(positionOfPixel(geometry, knobX, 0), position) << "knob at " << knobX;
    }
}

} // namespace
} // namespace kw::skin
