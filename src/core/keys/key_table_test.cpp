#include "core/keys/key_table.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace kw {
namespace {

// The editors' key list as the design spells it out, position by position.
constexpr KeyCode kExpectedList[kKeyListSize] = {
    // A..Z
    0x01E, 0x030, 0x02E, 0x020, 0x012, 0x021, 0x022, 0x023, 0x017, 0x024, 0x025, 0x026, 0x032,
    0x031, 0x018, 0x019, 0x010, 0x013, 0x01F, 0x014, 0x016, 0x02F, 0x011, 0x02D, 0x015, 0x02C,
    // 1..9, 0
    0x002, 0x003, 0x004, 0x005, 0x006, 0x007, 0x008, 0x009, 0x00A, 0x00B,
    // Enter, Esc, Backspace, Tab, Space
    0x01C, 0x001, 0x00E, 0x00F, 0x039,
    // - = [ ] \ ; ' ` , . /
    0x00C, 0x00D, 0x01A, 0x01B, 0x02B, 0x027, 0x028, 0x029, 0x033, 0x034, 0x035,
    // F1..F12
    0x03B, 0x03C, 0x03D, 0x03E, 0x03F, 0x040, 0x041, 0x042, 0x043, 0x044, 0x057, 0x058,
    // Print Screen, Pause, Break, Insert, Delete, Home, End, Page Up, Page Down
    0x137, 0x045, 0x146, 0x152, 0x153, 0x147, 0x14F, 0x149, 0x151,
    // Up, Down, Left, Right, Scroll Lock, Caps Lock, Num Lock
    0x148, 0x150, 0x14B, 0x14D, 0x046, 0x03A, 0x145,
    // Num / * - + Enter
    0x135, 0x037, 0x04A, 0x04E, 0x11C,
    // Num 1..9, Num 0, Num .
    0x04F, 0x050, 0x051, 0x04B, 0x04C, 0x04D, 0x047, 0x048, 0x049, 0x052, 0x053,
    // K45, App, Ctrl, Shift, Alt, Win, Right Ctrl, Right Shift, Right Alt, Right Win
    0x056, 0x15D, 0x01D, 0x02A, 0x038, 0x15B, 0x11D, 0x036, 0x138, 0x15C,
    // Left, Right, Middle Button, Roll Up, Roll Down
    0x171, 0x172, 0x173, 0x161, 0x162};

TEST(KeyList, PositionsGiveTheKeysInTheirOrderAndBack) {
    for (std::uint16_t position = 0; position < kKeyListSize; ++position) {
        const KeyCode code = kExpectedList[position];
        EXPECT_EQ(KeyCodeOfListPosition(position), code) << "position " << position;
        EXPECT_EQ(ListPositionOf(code), position) << "code " << std::hex << code;
    }
}

TEST(KeyList, FirstMatchAndOutOfRange) {
    // Right Shift's two rows share position 103: the first row wins.
    EXPECT_EQ(KeyCodeOfListPosition(103), 0x036);
    EXPECT_EQ(ListPositionOf(0x136), 103);
    EXPECT_EQ(KeyCodeOfListPosition(111), kNoKey);
    EXPECT_EQ(KeyCodeOfListPosition(kNotInKeyList), kNoKey);
    // Keys that have a row but no place in the list, an empty row, a G-key.
    for (KeyCode code : {0x054, 0x064, 0x073, 0x120, 0x15E, 0x055, 0x000, 0x200}) {
        EXPECT_EQ(ListPositionOf(code), kNotInKeyList) << std::hex << code;
    }
}

TEST(KeyTable, EveryListPositionHasOneRowExceptRightShift) {
    std::map<std::uint16_t, int> rowsAtPosition;
    for (const auto& row : KeyTable()) {
        if (row.listPosition != kNotInKeyList) {
            ++rowsAtPosition[row.listPosition];
        }
    }
    for (std::uint16_t position = 0; position < kKeyListSize; ++position) {
        EXPECT_EQ(rowsAtPosition[position], position == 103 ? 2 : 1) << "position " << position;
    }
    EXPECT_EQ(rowsAtPosition.rbegin()->first, kKeyListSize - 1);
}

TEST(KeyTable, NameKeysBelongToOneKeyEach) {
    std::map<std::string_view, KeyCode> owner;
    for (std::uint16_t index = 0; index < kKeyTableRows; ++index) {
        const KeyRow& row = KeyTable()[index];
        if (row.nameKey.empty()) {
            continue;
        }
        EXPECT_FALSE(row.englishName.empty()) << row.nameKey;
        const KeyCode code = KeyCodeOfIndex(index);
        auto [it, inserted] = owner.emplace(row.nameKey, code);
        // Only Right Shift's second row repeats a name key.
        if (!inserted) {
            EXPECT_EQ(it->second, 0x036) << row.nameKey;
            EXPECT_EQ(code, 0x136) << row.nameKey;
        }
    }
}

struct RowCase {
    KeyCode code;
    std::uint8_t usageByte;
    std::uint16_t listPosition;
    std::string_view nameKey;
    std::string_view englishName;
    friend void PrintTo(const RowCase& c, std::ostream* os) { *os << std::hex << "0x" << c.code; }
};

class KeyRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(KeyRowTest, HoldsTheRowOfItsCode) {
    const RowCase& expected = GetParam();
    const KeyRow* row = KeyRowOf(expected.code);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->usageByte, expected.usageByte);
    EXPECT_EQ(row->listPosition, expected.listPosition);
    EXPECT_EQ(row->nameKey, expected.nameKey);
    EXPECT_EQ(row->englishName, expected.englishName);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyRowTest,
    ::testing::Values(RowCase{0x000, 0x00, kNotInKeyList, "", ""},
                      RowCase{0x03B, 0x3A, 52, "IDS_KEYBOARD_F1", "F1"},
                      RowCase{0x044, 0x43, 61, "IDS_KEYBOARD_F10", "F10"},
                      RowCase{0x054, 0x00, kNotInKeyList, "IDS_KEYBOARD_SYSREQ", "Sys Req"},
                      RowCase{0x055, 0x00, kNotInKeyList, "", ""},
                      RowCase{0x064, 0x00, kNotInKeyList, "", "F13"},
                      RowCase{0x119, 0xD1, kNotInKeyList, "MEDIA_Next_TRACK_5", "Next Track"},
                      RowCase{0x136, 0xE5, 103, "IDS_KEYBOARD_RSHIFT", "Right Shift"},
                      RowCase{0x146, 0x48, 66, "IDS_KEYBOARD_BREAK", "Break"},
                      RowCase{0x148, 0x52, 73, "IDS_KEYBOARD_UP", "\u2191"},
                      RowCase{0x17E, 0x00, kNotInKeyList, "IDS_KEYBOARD_FUNC_CALENDAR", "Calendar"},
                      // 0x1C7 folds onto row 0x47 (Num 7).
                      RowCase{0x1C7, 0x5F, 91, "IDS_KEYBOARD_S_7", "Num 7"}));

TEST(KeyTable, GKeyCodesHaveNoRow) {
    EXPECT_EQ(KeyRowOf(GKeyCode(1)), nullptr);
    EXPECT_EQ(KeyRowOf(0xFFFF), nullptr);
}

} // namespace
} // namespace kw
