#include "core/keys/key_buttons.h"
#include "core/keys/key_table.h"

#include <gtest/gtest.h>
#include <set>

namespace kw {
namespace {

TEST(KeyButtonTable, EveryButtonIsANamedKeyOnce) {
    std::set<int> ids;
    std::set<KeyCode> codes;
    for (int row = 0; row < kKeyButtonCount; ++row) {
        const KeyButton& button = KeyButtonTable()[row];
        EXPECT_TRUE(ids.insert(button.controlId).second) << "id twice: " << button.controlId;
        EXPECT_TRUE(codes.insert(button.code).second) << "code twice: " << button.label;
        const KeyRow* key = KeyRowOf(button.code);
        ASSERT_NE(key, nullptr) << button.label;
        EXPECT_FALSE(key->nameKey.empty()) << button.label;
        EXPECT_EQ(KeyButtonRowOf(button.controlId), row);
    }
    for (int ordinal = 0; ordinal < kGKeyCount; ++ordinal) {
        const int id = GKeyButtonTable()[ordinal];
        EXPECT_TRUE(ids.insert(id).second) << "G-key id shared: " << id;
        EXPECT_EQ(GKeyOrdinalOf(id), ordinal);
    }
    // The buttons that stand for another one are neither keys nor G-keys.
    for (int id : {kHiddenEnterButton, kMacroButton, kFnButton}) {
        EXPECT_EQ(ids.count(id), 0u) << id;
    }
}

// The drawn keyboard has a button for every keyboard key of the editors'
// list (positions 0..105) except Break, which shares the Pause key, and one
// for K56, which the list does not offer.
TEST(KeyButtonTable, DrawsTheListsKeyboardKeys) {
    std::set<KeyCode> expected;
    for (std::uint16_t position = 0; position <= 105; ++position) {
        expected.insert(KeyCodeOfListPosition(position));
    }
    expected.erase(0x146);
    expected.insert(0x073);
    std::set<KeyCode> drawn;
    for (const KeyButton& button : KeyButtonTable()) {
        drawn.insert(button.code);
    }
    EXPECT_EQ(drawn, expected);
}

TEST(GKeyButtonTable, ButtonsHaveTheGKeyCodes) {
    for (int ordinal = 0; ordinal < kGKeyCount; ++ordinal) {
        EXPECT_EQ(KeyCodeOfButton(GKeyButtonTable()[ordinal]), 0x200 + ordinal);
    }
}

struct ClickCase {
    int controlId;
    int editorKeyIndex;
    friend void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.controlId; }
};

class EditorKeyIndexTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(EditorKeyIndexTest, GivesTheEntryTheEditorOpens) {
    EXPECT_EQ(EditorKeyIndexOf(ClickedKeyButton(GetParam().controlId)), GetParam().editorKeyIndex);
}

INSTANTIATE_TEST_SUITE_P(Clicks, EditorKeyIndexTest,
                         ::testing::Values(ClickCase{1058, 0x1E}, // A
                                           ClickCase{1091, 0xB7}, // Print Screen, an extended code
                                           ClickCase{1081, 0x36}, // right Shift
                                           ClickCase{1000, 256},  // G1
                                           ClickCase{1140, 261},  // G6
                                           ClickCase{1143, 264},  // G9
                                           ClickCase{1007, 264},  // the macro button stands for G9
                                           ClickCase{1057,
                                                     0x1C}, // the hidden Enter stands for Enter
                                           ClickCase{kFnButton, -1}, // Fn has no entry
                                           ClickCase{0, -1}, ClickCase{9999, -1}));

TEST(KeyButtons, LookupsOfUnknownIds) {
    EXPECT_EQ(KeyButtonRowOf(1000), -1);
    EXPECT_EQ(GKeyOrdinalOf(1058), -1);
    EXPECT_EQ(KeyCodeOfButton(kFnButton), kNoKey);
    EXPECT_EQ(ClickedKeyButton(1058), 1058);
    // Without the stand-in step the hidden Enter is no key button.
    EXPECT_EQ(EditorKeyIndexOf(kHiddenEnterButton), -1);
}

TEST(KeyButtons, SkinKeysUseTheKeyIndexInThreeHexDigits) {
    EXPECT_EQ(KeyButtonSkinKey(0), "KEY_01E");
    EXPECT_EQ(KeyButtonSkinKey(64), "KEY_0B7");  // Print Screen 0x137
    EXPECT_EQ(KeyButtonSkinKey(68), "KEY_0C7");  // Home 0x147
    EXPECT_EQ(KeyButtonSkinKey(105), "KEY_073"); // K56
    EXPECT_EQ(KeyButtonSkinKey(106), "");
    EXPECT_EQ(KeyButtonSkinKey(-1), "");
    EXPECT_EQ(GKeyButtonSkinKey(0), "FUNC_G1");
    EXPECT_EQ(GKeyButtonSkinKey(8), "FUNC_G9");
    EXPECT_EQ(GKeyButtonSkinKey(9), "");
}

} // namespace
} // namespace kw
