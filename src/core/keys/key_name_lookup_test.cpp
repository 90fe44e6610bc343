#include "core/keys/key_name_lookup.h"
#include "core/keys/key_table.h"

#include <gtest/gtest.h>
#include <string>

namespace kw {
namespace {

TEST(KeyNameLookup, NamesUsersType) {
    struct Case {
        std::string_view name;
        KeyCode code;
    } cases[] = {
        {"A", 0x1E},           {"a", 0x1E},           {"Esc", 0x01},        {"ESC", 0x01},
        {"Page Up", 0x149},    {"page_up", 0x149},    {"Ctrl", 0x1D},       {"RCTRL", 0x11D},
        {"Right Ctrl", 0x11D}, {"up", 0x148},         {"Num Enter", 0x11C}, {"Left Button", 0x171},
        {"Roll Down", 0x162},  {"Right Shift", 0x36}, {"G1", 0x200},        {"g9", 0x208},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyCodeOfName(c.name), c.code) << c.name;
    }
}

TEST(KeyNameLookup, UnknownNamesAndKeysOutsideTheListGiveNoKey) {
    for (std::string_view name :
         {"", "G0", "G10", "Gx", "Wake", "Mail", "IDS_KEYBOARD_A", "A ", "Pan Left"}) {
        EXPECT_EQ(KeyCodeOfName(name), kNoKey) << name;
    }
    EXPECT_EQ(KeyCodeOfListName("G1"), kNoKey);
}

TEST(KeyNameLookup, EveryKeyOfTheListIsFoundByItsEnglishName) {
    for (std::uint16_t position = 0; position < kKeyListSize; ++position) {
        const KeyCode code = KeyCodeOfListPosition(position);
        const KeyRow* row = KeyRowOf(code);
        ASSERT_NE(row, nullptr) << position;
        EXPECT_EQ(ListPositionOf(KeyCodeOfListName(row->englishName)), position)
            << row->englishName;
    }
}

} // namespace
} // namespace kw
