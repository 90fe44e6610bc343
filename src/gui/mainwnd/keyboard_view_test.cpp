#include "core/mainwnd/flip_state.h"
#include "gui/mainwnd/main_window_test_fixture.h"

#include <gmock/gmock.h>

namespace kw::gui {
namespace {

using KeyboardViewTest = testing::MainWindowTest;

constexpr int kKeyA = 1058;
constexpr int kG1 = 1000;
constexpr int kG6 = 1140;
constexpr int kG9 = 1143;
constexpr int kMacroButton = 1007;

TEST_F(KeyboardViewTest, ClicksOpenTheEditorForTheRightEntry) {
    struct Case {
        int clicked;
        std::uint16_t keyIndex;
        std::uint32_t controlId;
        int macroEditMode;
    };
    const Case cases[] = {
        {kKeyA, 0x1E, kKeyA, 0},
        {kG6, 261, kG6, 0},
        {kG9, 264, kG9, 1},
        {kMacroButton, 264, kG9, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicked);
        editor.opened.clear();
        ASSERT_TRUE(key(c.clicked).isEnabled());
        key(c.clicked).click();
        ASSERT_EQ(editor.opened.size(), 1u);
        EXPECT_EQ(editor.opened[0], (EditorSelection{0, c.keyIndex, c.controlId, c.macroEditMode}));
    }
}

TEST_F(KeyboardViewTest, LightingViewDecidesWhatAClickDoes) {
    key(kG1).click();
    EXPECT_TRUE(editor.opened.empty()) << "G1 does nothing with the view off";
    EXPECT_TRUE(colouredKeys.empty());

    lightingView = true;
    key(kG1).click();
    key(kKeyA).click();
    key(kG6).click();
    EXPECT_THAT(colouredKeys, ::testing::ElementsAre(kG1, kKeyA));
    ASSERT_EQ(editor.opened.size(), 1u);
    EXPECT_EQ(editor.opened[0].keyIndex, 261);
}

TEST_F(KeyboardViewTest, EditedKeyIsHighlightedOnlyWhileTheEditorIsOpen) {
    const QImage resting = key(kKeyA).grab().toImage();
    QImage whileOpen;
    editor.whileOpen = [&] { whileOpen = key(kKeyA).grab().toImage(); };
    key(kKeyA).click();
    EXPECT_NE(whileOpen, resting);
    EXPECT_EQ(key(kKeyA).grab().toImage(), resting);
}

TEST_F(KeyboardViewTest, FlipTogglesTheFunctionRowAndBack) {
    const auto shown = [this] {
        std::vector<bool> enabled;
        for (int id : kFKeyButtons) {
            enabled.push_back(key(id).isEnabled());
        }
        for (int id : kDKeyButtons) {
            enabled.push_back(key(id).isEnabled());
        }
        return enabled;
    };
    const auto before = shown();
    EXPECT_TRUE(key(kFKeyButtons[0]).isEnabled());
    EXPECT_FALSE(key(kDKeyButtons[0]).isEnabled());

    key(kFlip1Button).click();
    EXPECT_FALSE(key(kFKeyButtons[0]).isEnabled());
    EXPECT_TRUE(key(kDKeyButtons[5]).isEnabled());
    key(kFlip2Button).click();
    EXPECT_EQ(shown(), before);

    key(kFlip0Button).click();
    EXPECT_EQ(shown(), before) << "Flip0 does nothing";
}

TEST_F(KeyboardViewTest, OddStoredFlipShowsTheDKeysAndNextToggleStoresZero) {
    ASSERT_TRUE(settings.writeProfileString("PROFILES", "Flip", "7"));
    keys.ApplyFlipState();
    EXPECT_EQ(keys.FlipState(), 1);
    EXPECT_TRUE(key(kDKeyButtons[0]).isEnabled());
    key(kFlip1Button).click();
    EXPECT_EQ(settings.readProfileString("PROFILES", "Flip", ""), "0");
    EXPECT_TRUE(key(kFKeyButtons[0]).isEnabled());
}

TEST_F(KeyboardViewTest, ArrowsFollowTheFlipState) {
    window.show();
    const auto arrow = [this] {
        QApplication::processEvents();
        return key(kLeftArrowPicture).grab().toImage();
    };
    const QImage down = arrow();
    key(kFlip1Button).click();
    const QImage up = arrow();
    EXPECT_TRUE(key(kLeftArrowPicture).isVisible());
    EXPECT_NE(up, down);
    window.hide();
}

TEST_F(KeyboardViewTest, TooltipsAndMarksShowEachKeysFunction) {
    constexpr int kRightCtrlButton = 1089;
    setEntry(0x1F, {KeyEntryType::KeySingle, 0, 0x11D});    // S -> Right Ctrl
    setEntry(0x20, {KeyEntryType::KeyMacro, 0, 42});        // D -> a macro that is gone
    setEntry(0x21, {KeyEntryType::KeyDisabled, 0, 0});      // F disabled
    setEntry(0x1F, {KeyEntryType::KeySingle, 0, 0x11D}, 1); // other profile only
    keys.RefreshKeyButtons();

    const std::string set = language.text("KEY_PROMPT_SET");
    struct Case {
        int controlId;
        std::string tooltip;
        bool marked;
    };
    const Case cases[] = {
        {kKeyA, "A", false},
        {kRightCtrlButton, "Right Ctrl", false},
        {1059, "S" + set + language.text("KEY_PROMPT_SINGLE") + "Right Ctrl)", true},
        {1060, "D" + set + language.text("KEY_PROMPT_MACRO") + ")", true},
        {1061, "F" + set, true},
        {kG6, "G6", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.controlId);
        EXPECT_EQ(key(c.controlId).TooltipText().toStdString(), c.tooltip);
        EXPECT_EQ(key(c.controlId).IsSelected(), c.marked);
    }
}

TEST_F(KeyboardViewTest, UnknownProfileShowsNoAssignments) {
    setEntry(0x1F, {KeyEntryType::KeyDisabled, 0, 0});
    setEntry(256, {KeyEntryType::KeyMacro, 0x0301, 1});
    keyboard.currentProfile = kProfileUnknown;
    keys.RefreshKeyButtons();
    keys.GKeyRefresh();
    EXPECT_EQ(key(1059).TooltipText(), QStringLiteral("S"));
    EXPECT_FALSE(key(1059).IsSelected());
    EXPECT_FALSE(key(kG1).IsSelected());
    EXPECT_EQ(keys.ClearKeyFunctions(), 0);
    EXPECT_EQ(config.entry(0, 0x1F)->type, KeyEntryType::KeyDisabled);
    EXPECT_FALSE(modified.isSet());
}

TEST_F(KeyboardViewTest, GKeyRefreshMarksOnlyAssignedGKeys) {
    setEntry(256, {KeyEntryType::KeyDefault, 0x0301, 0});
    setEntry(257, {KeyEntryType::KeyMacro, 0x0302, 1});
    keys.GKeyRefresh();
    EXPECT_FALSE(key(kG1).IsSelected());
    EXPECT_TRUE(key(1001).IsSelected());
}

TEST_F(KeyboardViewTest, ResetKeyCaptionShowsTheKeyUnassigned) {
    setEntry(0x1F, {KeyEntryType::KeyDisabled, 0, 0});
    setEntry(258, {KeyEntryType::KeyDisabled, 0x0303, 0});
    keys.RefreshKeyButtons();
    keys.ResetKeyCaption(0x1F);
    keys.ResetKeyCaption(258);
    keys.ResetKeyCaption(512 + 0x1E); // another group's entry reaches no button
    EXPECT_EQ(key(1059).TooltipText(), QStringLiteral("S"));
    EXPECT_FALSE(key(1059).IsSelected());
    EXPECT_EQ(key(1002).TooltipText(), QStringLiteral("G3"));
    EXPECT_FALSE(key(1002).IsSelected());
}

TEST_F(KeyboardViewTest, ResetKeyFacesClearsColourMarksAndSelection) {
    key(kKeyA).SetColourMark(Qt::red, 100, true);
    key(kFnButton).SetColourMark(Qt::red, 100, true);
    key(1059).SetSelected(true, false);
    keys.ResetKeyFaces();
    EXPECT_FALSE(key(kKeyA).HasColourMark());
    EXPECT_FALSE(key(kFnButton).HasColourMark());
    EXPECT_FALSE(key(1059).IsSelected());
}

} // namespace
} // namespace kw::gui
