#include "core/lighting/lighting_presenter.h"
#include "core/lighting/preview_tables.h"
#include "core/lighting/view_settings.h"
#include "gui/lighting/lighting_group.h"
#include "gui/mainwnd/main_window_test_fixture.h"
#include "gui/skin/bitmap_slider.h"
#include "gui/skin/skin_color_btn.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <gmock/gmock.h>
#include <vector>

namespace kw::gui {
namespace {

constexpr int kRedValueEdit = 1208;

// The window's drawn keyboard and commands with the lighting group on top,
// on a factory keyboard that offers effects 1..20 and plays effect 1.
class LightingPanelTest : public testing::MainWindowTest {
protected:
    LightingPanelTest() {
        redEdit.setMaxLength(3);
        group.Presenter().KeyboardFound();
        link.keyboard.clearLog();
    }

    // Byte `field` of profile 0's lighting block on the keyboard.
    int lightingByte(int field) const { return link.keyboard.memory().lighting.at(field); }

    template <typename Widget>
    Widget& control(int id) {
        auto* widget = qobject_cast<Widget*>(group.Control(id));
        EXPECT_NE(widget, nullptr) << id;
        return *widget;
    }

    void selectEffect(int code) {
        // The factory keyboard lists code n at row n - 1.
        auto& combo = control<QComboBox>(kEffectSelector);
        combo.setCurrentIndex(code - 1);
        emit combo.activated(code - 1);
    }

    void switchViewOn() {
        control<CPngButton>(kLightingViewToggle).click();
        ASSERT_TRUE(group.Presenter().controls().lightingView);
    }

    std::vector<int> markedKeys() {
        std::vector<int> marked;
        for (std::uint16_t id : KeyChain) {
            if (CPngButton* b = keys.button(id); b && b->HasColourMark()) {
                marked.push_back(id);
            }
        }
        return marked;
    }

    QLineEdit redEdit{&window};
    CLightingGroup group{
        {window, layout, language, link.transport, dataHome.path(), programFolder.path(),
         [this] { return switcher.SelectProfile(keyboard.currentProfile.load()); },
         [this](int id) { return keys.button(id); },
         [this] {
             keys.ResetKeyFaces();
             keys.RefreshKeyButtons();
         },
         [this](int id) -> QWidget* { return id == kRedValueEdit ? &redEdit : nullptr; }, nullptr,
         nullptr}};
};

TEST_F(LightingPanelTest, SelectorListsTheKeyboardsEffectsByTheirLanguageNames) {
    auto& combo = control<QComboBox>(kEffectSelector);
    ASSERT_EQ(combo.count(), 20);
    EXPECT_EQ(combo.currentIndex(), 0); // effect 1
    EXPECT_EQ(combo.itemText(4).toStdString(),
              language.LookupModeText("5", language.CurrentLanguageIndex()));
}

TEST_F(LightingPanelTest, SelectingAnEffectWritesItAndShowsOnlyItsControls) {
    switchViewOn();
    struct Case {
        int code;
        std::vector<int> shown;
        std::vector<int> hidden;
    };
    const Case cases[] = {
        {5,
         {kBrightnessSlider, kSpeedSlider, kGeneralColourButton, kGeneralMulticolourToggle},
         {kReactiveColourButton, kRedSwatch, kFirstDirectionPicture, kUserModeSelector}},
        {6,
         {kReactiveColourButton, kReactiveMulticolourToggle},
         {kSpeedSlider, kGeneralColourButton}},
        {17, {kRedSwatch, kBlueSwatch}, {kSpeedSlider, kGeneralColourButton}},
        {12, {kFirstDirectionPicture, kSecondDirectionPicture, kSpeedSlider}, {kRedSwatch}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        selectEffect(c.code);
        EXPECT_EQ(lightingByte(0), c.code);
        for (int id : c.shown) {
            EXPECT_FALSE(control<QWidget>(id).isHidden()) << id;
        }
        for (int id : c.hidden) {
            EXPECT_TRUE(control<QWidget>(id).isHidden()) << id;
        }
    }
}

TEST_F(LightingPanelTest, DirectionPicturesMoveToTheEffectsPlaceAndWriteTheDirection) {
    switchViewOn();
    selectEffect(12);
    auto& first = control<CPngButton>(kFirstDirectionPicture);
    const skin::SkinRect rowWave = layout.rect("CONTROL_BLFXLStaPic3");
    EXPECT_EQ(first.pos(), QPoint(rowWave.x, rowWave.y));
    control<CPngButton>(kSecondDirectionPicture).click();
    EXPECT_EQ(lightingByte(3), 0x00);
    first.click();
    EXPECT_EQ(lightingByte(3), 0xFF);
}

TEST_F(LightingPanelTest, SlidersWriteTheirFieldAndChangeFace) {
    struct Case {
        int slider;
        int position;
        int field;
        int written;
    };
    // The speed slider runs backwards: its left end is the fastest speed.
    const Case cases[] = {
        {kBrightnessSlider, 2, 1, 2}, {kSpeedSlider, 0, 2, 5}, {kSpeedSlider, 5, 2, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slider * 10 + c.position);
        auto& slider = control<CBitmapSlider>(c.slider);
        emit slider.SliderChanged(c.slider, c.position);
        EXPECT_EQ(lightingByte(c.field), c.written);
        EXPECT_EQ(slider.GetPos(), c.position);
    }
}

TEST_F(LightingPanelTest, BrightnessKeyPressOnTheSliderWritesBrightness) {
    auto& slider = control<CBitmapSlider>(kBrightnessSlider);
    ASSERT_EQ(slider.GetPos(), 4);
    QTest::keyClick(&slider, Qt::Key_Left);
    EXPECT_EQ(lightingByte(1), 3);
}

TEST_F(LightingPanelTest, ChosenColourIsWrittenWithMulticolourOffAndShownOnBothButtons) {
    switchViewOn();
    selectEffect(5);
    auto& general = control<CSkinColorBtn>(kGeneralColourButton);
    const QColor chosen = CSkinColorBtn::PaletteColours().at(3);
    const auto popup = general.CreatePopup();
    auto* swatch = popup->findChild<QToolButton*>(chosen.name());
    ASSERT_NE(swatch, nullptr);
    swatch->click();

    EXPECT_EQ(lightingByte(4), 0);
    EXPECT_EQ(lightingByte(5), chosen.red());
    EXPECT_EQ(lightingByte(6), chosen.green());
    EXPECT_EQ(lightingByte(7), chosen.blue());
    EXPECT_EQ(control<CSkinColorBtn>(kReactiveColourButton).GetColor().rgb(), chosen.rgb());
}

TEST_F(LightingPanelTest, ViewTogglesControlsAndPreviewColourMarks) {
    // Off: only the title and the toggle are left.
    EXPECT_TRUE(control<QWidget>(kEffectSelector).isHidden());
    EXPECT_FALSE(control<QWidget>(kLightingTitle).isHidden());
    EXPECT_FALSE(control<QWidget>(kLightingViewToggle).isHidden());
    group.Presenter().PreviewTick();
    EXPECT_THAT(markedKeys(), ::testing::IsEmpty());

    switchViewOn();
    EXPECT_FALSE(control<QWidget>(kEffectSelector).isHidden());
    for (int tick = 0; tick < 5 && markedKeys().empty(); ++tick) {
        group.Presenter().PreviewTick();
    }
    EXPECT_THAT(markedKeys(), ::testing::Not(::testing::IsEmpty()));

    control<CPngButton>(kLightingViewToggle).click();
    EXPECT_THAT(markedKeys(), ::testing::IsEmpty());
    EXPECT_TRUE(control<QWidget>(kEffectSelector).isHidden());
}

TEST_F(LightingPanelTest, ViewSwitchIsStoredWhereTheNextStartReadsIt) {
    const std::filesystem::path file = ViewSettingsFilePath(dataHome.path());
    std::filesystem::create_directories(file.parent_path());
    switchViewOn();
    EXPECT_TRUE(ReadLightingViewSetting(file));
    control<CPngButton>(kLightingViewToggle).click();
    EXPECT_FALSE(ReadLightingViewSetting(file));
}

TEST_F(LightingPanelTest, ValueEditNeverHoldsMoreThan255) {
    const std::pair<const char*, const char*> cases[] = {
        {"300", "255"}, {"255", "255"}, {"42", "42"}, {"9x", "9"}};
    for (const auto& [typed, shown] : cases) {
        SCOPED_TRACE(typed);
        redEdit.clear();
        QTest::keyClicks(&redEdit, typed);
        EXPECT_EQ(redEdit.text(), shown);
    }
    EXPECT_THAT(link.keyboard.log(), ::testing::IsEmpty());
}

} // namespace
} // namespace kw::gui
