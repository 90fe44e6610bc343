#include "core/keys/evdev_keys.h"
#include "core/keys/key_table.h"
#include "core/keys/media_keys.h"
#include "core/keys/virtual_keys.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace kw {
namespace {

using namespace evdev;

// Codes of the editors' list that no key event produces: Break arrives as
// Pause (Ctrl+Pause keeps KEY_PAUSE), and the mouse buttons and the wheel
// are not keys.
const std::set<KeyCode> kListCodesWithoutKey = {0x146, 0x171, 0x172, 0x173, 0x161, 0x162};

// Evdev keys that are another keyboard's name for a function whose primary
// key is a different one: the mapping is one-way for them.
const std::map<std::uint16_t, KeyCode> kAliases = {{KEY_MEDIA, 0x16D}, {KEY_COMPUTER, 0x16B}};

TEST(EvdevKeys, EveryKeyOfTheListHasItsKeyBothWays) {
    for (std::uint16_t position = 0; position < kKeyListSize; ++position) {
        const KeyCode code = KeyCodeOfListPosition(position);
        const auto evdevCode = EvdevKeyOfKeyCode(code);
        if (kListCodesWithoutKey.count(code)) {
            EXPECT_FALSE(evdevCode.has_value()) << "position " << position;
            continue;
        }
        ASSERT_TRUE(evdevCode.has_value()) << "position " << position;
        EXPECT_EQ(KeyCodeOfEvdevKey(*evdevCode), code) << "position " << position;
    }
}

TEST(EvdevKeys, PrimaryRowsAreABijection) {
    std::set<KeyCode> seen;
    for (const EvdevKey& key : EvdevKeyTable()) {
        EXPECT_EQ(KeyCodeOfEvdevKey(key.evdevCode), key.code) << key.evdevCode;
        if (kAliases.count(key.evdevCode)) {
            EXPECT_EQ(kAliases.at(key.evdevCode), key.code);
            EXPECT_NE(EvdevKeyOfKeyCode(key.code), key.evdevCode);
            continue;
        }
        EXPECT_TRUE(seen.insert(key.code).second) << "two keys for code " << std::hex << key.code;
        EXPECT_EQ(EvdevKeyOfKeyCode(key.code), key.evdevCode) << std::hex << key.code;
    }
    for (const auto& [evdevCode, code] : kAliases) {
        EXPECT_EQ(KeyCodeOfEvdevKey(evdevCode), code);
    }
}

TEST(EvdevKeys, EveryCodeHasANamedRow) {
    for (const EvdevKey& key : EvdevKeyTable()) {
        const KeyRow* row = KeyRowOf(key.code);
        ASSERT_NE(row, nullptr);
        EXPECT_TRUE(!row->nameKey.empty() || key.code == 0x064) << std::hex << key.code;
    }
}

// What the Windows build records, the Linux build records too.
TEST(EvdevKeys, CoverEveryCodeTheVirtualKeyMapGives) {
    for (int virtualKey = 0; virtualKey < 256; ++virtualKey) {
        const KeyCode code = KeyCodeOfVirtualKey(static_cast<std::uint8_t>(virtualKey));
        // VK_CANCEL (Ctrl+Break) gives Break, which is reported as Pause; two
        // virtual keys of their own stand for the wheel.
        if (code == kNoKey || kListCodesWithoutKey.count(code)) {
            continue;
        }
        EXPECT_TRUE(EvdevKeyOfKeyCode(code).has_value())
            << "virtual key " << virtualKey << " code " << std::hex << code;
    }
}

struct EvdevCase {
    std::uint16_t evdevCode;
    KeyCode expected;
    friend void PrintTo(const EvdevCase& c, std::ostream* os) { *os << c.evdevCode; }
};

class KeyCodeOfEvdevKeyTest : public ::testing::TestWithParam<EvdevCase> {};

TEST_P(KeyCodeOfEvdevKeyTest, MapsTheKeysWhoseNumbersDifferFromTheirScanCodes) {
    EXPECT_EQ(KeyCodeOfEvdevKey(GetParam().evdevCode), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyCodeOfEvdevKeyTest,
    ::testing::Values(EvdevCase{KEY_NUMLOCK, 0x145}, EvdevCase{KEY_PAUSE, 0x045},
                      EvdevCase{KEY_SYSRQ, 0x137}, EvdevCase{KEY_COMPOSE, 0x15D},
                      EvdevCase{KEY_LEFTMETA, 0x15B}, EvdevCase{KEY_RIGHTMETA, 0x15C},
                      EvdevCase{KEY_RIGHTSHIFT, 0x036}, EvdevCase{KEY_KPENTER, 0x11C},
                      EvdevCase{KEY_KPSLASH, 0x135}, EvdevCase{KEY_102ND, 0x056},
                      EvdevCase{KEY_RO, 0x073}, EvdevCase{KEY_YEN, 0x07D},
                      EvdevCase{KEY_KPCOMMA, 0x07E}, EvdevCase{KEY_HANGEUL, 0x072},
                      EvdevCase{KEY_F13, 0x064}, EvdevCase{KEY_SLEEP, 0x15F},
                      // Media keys.
                      EvdevCase{KEY_MUTE, 0x120}, EvdevCase{KEY_VOLUMEUP, 0x130},
                      EvdevCase{KEY_VOLUMEDOWN, 0x12E}, EvdevCase{KEY_PLAYPAUSE, 0x122},
                      EvdevCase{KEY_STOP, 0x168}, EvdevCase{KEY_STOPCD, 0x124},
                      // Keys without a code: none, unused 84, Power, BTN_LEFT, out of range.
                      EvdevCase{0, kNoKey}, EvdevCase{84, kNoKey}, EvdevCase{116, kNoKey},
                      EvdevCase{0x110, kNoKey}, EvdevCase{0x2FF, kNoKey}));

TEST(EvdevKeys, EveryMediaFunctionHasItsKey) {
    for (const MediaKey& media : MediaKeyTable()) {
        const auto evdevCode = EvdevKeyOfKeyCode(media.code);
        ASSERT_TRUE(evdevCode.has_value()) << media.nameKey;
        EXPECT_TRUE(IsMediaKeyCode(KeyCodeOfEvdevKey(*evdevCode))) << media.nameKey;
    }
}

TEST(EvdevKeys, CodesWithoutAKey) {
    for (KeyCode code : {KeyCode{0x000}, KeyCode{0x146}, KeyCode{0x136}, KeyCode{0x054},
                         KeyCode{0x15E}, KeyCode{0x200}}) {
        EXPECT_FALSE(EvdevKeyOfKeyCode(code).has_value()) << std::hex << code;
    }
    EXPECT_EQ(KeyCodeOfEvdevKey(0xFFFFFFFFu), kNoKey);
}

TEST(KeyStroke, CarriesTheCodeAndTellsTheEventKindsApart) {
    const KeyStroke press = KeyStrokeOfEvdevEvent(KEY_A, KeyEventKind::Press);
    const KeyStroke repeat = KeyStrokeOfEvdevEvent(KEY_A, KeyEventKind::AutoRepeat);
    const KeyStroke release = KeyStrokeOfEvdevEvent(KEY_A, KeyEventKind::Release);
    for (const KeyStroke& stroke : {press, repeat, release}) {
        EXPECT_EQ(stroke.code, 0x01E);
    }
    EXPECT_TRUE(press.isFreshPress());
    EXPECT_FALSE(press.isRelease() || press.isAutoRepeat());
    EXPECT_TRUE(repeat.isAutoRepeat());
    EXPECT_FALSE(repeat.isFreshPress() || repeat.isRelease());
    EXPECT_TRUE(release.isRelease());
    EXPECT_FALSE(release.isFreshPress() || release.isAutoRepeat());
    EXPECT_EQ(KeyStrokeOfEvdevEvent(84, KeyEventKind::Press).code, kNoKey);
}

TEST(XkbKeycode, IsTheEvdevCodePlusEight) {
    EXPECT_EQ(EvdevCodeOfXkbKeycode(38), std::optional<std::uint32_t>{KEY_A});
    EXPECT_EQ(EvdevCodeOfXkbKeycode(8), std::optional<std::uint32_t>{0});
    EXPECT_EQ(EvdevCodeOfXkbKeycode(7), std::nullopt);
    EXPECT_EQ(EvdevCodeOfXkbKeycode(0), std::nullopt);
}

} // namespace
} // namespace kw
