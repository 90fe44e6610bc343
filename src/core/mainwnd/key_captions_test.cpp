#include "core/base/settings_store.h"
#include "core/base/text.h"
#include "core/keys/key_buttons.h"
#include "core/mainwnd/key_captions.h"
#include "core/skin/language.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

constexpr KeyCode kKeyA = 0x1E;
constexpr KeyCode kRightCtrl = 0x11D;

class KeyCaptionTest : public ::testing::Test {
protected:
    KeyCaptionTest() {
        image.createDefaultBlock();
        MacroRecord macro;
        macro.macroId = 7;
        macro.setName(u"Build and run");
        image.macros.push_back(macro);
    }

    testing::TempDir settingsFolder;
    SettingsStore settings{settingsFolder / "settings.ini"};
    // The shipped English texts, so the pieces are seen as a user reads them.
    Language language{testing::programFolder(), settings, [] { return std::uint16_t{1033}; }};
    ConfigImage image;
};

struct CaptionCase {
    const char* name;
    KeyEntry entry;
    std::string expected;
    bool marked;
};

TEST_F(KeyCaptionTest, TooltipJoinsTheLanguagePiecesForEachKindOfFunction) {
    const std::string set = language.text("KEY_PROMPT_SET");
    const CaptionCase cases[] = {
        {"default", {KeyEntryType::KeyDefault, 0, 0x30}, "A", false},
        {"right ctrl",
         {KeyEntryType::KeySingle, 0, kRightCtrl},
         "A" + set + language.text("KEY_PROMPT_SINGLE") + "Right Ctrl)",
         true},
        {"macro",
         {KeyEntryType::KeyMacro, 0, 0x00010007},
         "A" + set + language.text("KEY_PROMPT_MACRO") + "Build and run)",
         true},
        {"removed macro",
         {KeyEntryType::KeyMacro, 0, 9},
         "A" + set + language.text("KEY_PROMPT_MACRO") + ")",
         true},
        {"disabled", {KeyEntryType::KeyDisabled, 0, 0}, "A" + set, true},
        {"launch", {KeyEntryType::KeyLaunch, 0, 0}, "A" + set, true},
        {"media out of range",
         {KeyEntryType::KeyMedia, 0, 18},
         "A" + set + language.text("KEY_PROMPT_MEDIA") + ")",
         true},
        {"function 0",
         {KeyEntryType::KeyFunction, 0, 0},
         "A" + set + language.text("KEY_PROMPT_FUNCTION") + language.text("FUNC_KEY_DESC1") + ")",
         true},
        {"function out of range",
         {KeyEntryType::KeyFunction, 0, 11},
         "A" + set + language.text("KEY_PROMPT_FUNCTION") + ")",
         true},
        {"unknown type", {static_cast<KeyEntryType>(0x55), 0, 0}, "A" + set, true},
    };
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const KeyCaption caption = KeyCaptionOf(kKeyA, c.entry, image, language);
        EXPECT_EQ(caption.tooltip, c.expected);
        EXPECT_EQ(caption.marked, c.marked);
    }
    EXPECT_NE(set.find("reassigned"), std::string::npos) << "quotes kept or text missing: " << set;
}

TEST_F(KeyCaptionTest, MediaFunctionIsNamedAfterItsKey) {
    const KeyCaption caption = KeyCaptionOf(kKeyA, {KeyEntryType::KeyMedia, 0, 0}, image, language);
    const std::string prefix =
        "A" + language.text("KEY_PROMPT_SET") + language.text("KEY_PROMPT_MEDIA");
    ASSERT_EQ(caption.tooltip.rfind(prefix, 0), 0u);
    EXPECT_GT(caption.tooltip.size(), prefix.size() + 1) << "no media name";
    EXPECT_EQ(caption.tooltip.back(), ')');
}

TEST_F(KeyCaptionTest, GKeysAreNamedByTheirNumber) {
    EXPECT_EQ(GKeyCaptionOf(0, {}, image, language).tooltip, "G1");
    const KeyCaption g9 = GKeyCaptionOf(8, {KeyEntryType::KeyMacro, 0x0309, 7}, image, language);
    EXPECT_EQ(g9.tooltip, "G9" + language.text("KEY_PROMPT_SET") +
                              language.text("KEY_PROMPT_MACRO") + "Build and run)");
    EXPECT_TRUE(g9.marked);
}

TEST_F(KeyCaptionTest, MacroNameNeedsABlockAndStaysWithinTheTooltipLimit) {
    image.macros[0].setName(std::u16string(249, u'\u00e9'));
    const KeyCaption longName =
        KeyCaptionOf(kKeyA, {KeyEntryType::KeyMacro, 0, 7}, image, language);
    EXPECT_EQ(utf8ToUtf16(longName.tooltip).size(), 259u);
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(longName.tooltip)), longName.tooltip) << "cut mid-character";

    image.clearBlock();
    EXPECT_EQ(KeyCaptionOf(kKeyA, {KeyEntryType::KeyMacro, 0, 7}, image, language).tooltip,
              "A" + language.text("KEY_PROMPT_SET") + language.text("KEY_PROMPT_MACRO") + ")");
}

TEST_F(KeyCaptionTest, UnknownProfileShowsEveryKeyUnassigned) {
    image.entry(0, 0x1E)->type = KeyEntryType::KeyDisabled;
    EXPECT_EQ(ShownKeyEntry(image, 0, 0x1E).type, KeyEntryType::KeyDisabled);
    for (int profile : {-1, 3}) {
        EXPECT_EQ(ShownKeyEntry(image, profile, 0x1E), KeyEntry{});
    }
    image.clearBlock();
    EXPECT_EQ(ShownKeyEntry(image, 0, 0x1E), KeyEntry{});
}

TEST_F(KeyCaptionTest, ClearKeyFunctionsZeroesOnlyTheDrawnKeysOfOneProfile) {
    const KeyEntry used{KeyEntryType::KeySingle, 0x0301, 0x1E, 0x00FF00, 5};
    for (int group = 0; group < kGroupCount; ++group) {
        for (int keyIndex : {0x1E, 256, 264, 0x9D, 0x5A}) {
            *image.entry(group, keyIndex) = used;
        }
    }
    ASSERT_EQ(ClearKeyFunctions(image, 1), 1);
    for (int keyIndex : {0x1E, 256, 264, 0x9D}) {
        EXPECT_EQ(*image.entry(1, keyIndex), KeyEntry{}) << keyIndex;
        EXPECT_EQ(*image.entry(0, keyIndex), used) << "other profile touched";
    }
    EXPECT_EQ(*image.entry(1, 0x5A), used) << "a key that is not drawn was touched";
    const ConfigBlock before = *image.block;
    EXPECT_EQ(ClearKeyFunctions(image, -1), 0);
    EXPECT_EQ(*image.block, before);
}

} // namespace
} // namespace kw
