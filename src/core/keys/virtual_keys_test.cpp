#include "core/keys/key_table.h"
#include "core/keys/virtual_keys.h"

#include <gtest/gtest.h>
#include <string>

namespace kw {
namespace {

// The keystroke data word of a keyboard message: scan code in bits 16..23,
// extended flag bit 24, previous state bit 30, transition bit 31.
std::uint32_t keystroke(std::uint8_t scan, bool extended = false, bool release = false) {
    std::uint32_t data = 1u | (std::uint32_t{scan} << 16);
    if (extended) {
        data |= 1u << 24;
    }
    if (release) {
        data |= (1u << 30) | (1u << 31);
    }
    return data;
}

struct MessageCase {
    std::string what;
    std::uint8_t virtualKey;
    std::uint32_t data;
    KeyCode expected;
    friend void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.what; }
};

class KeyCodeOfKeyMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(KeyCodeOfKeyMessageTest, TakesTheScanCodeAndMendsTheOddKeys) {
    EXPECT_EQ(KeyCodeOfKeyMessage(GetParam().virtualKey, GetParam().data), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, KeyCodeOfKeyMessageTest,
    ::testing::Values(
        MessageCase{"Pause", 0x13, keystroke(0x45), 0x045},
        MessageCase{"CtrlBreakIsPause", 0x03, keystroke(0x46, true), 0x045},
        MessageCase{"AltPrintScreenIsPrintScreen", 0x2C, keystroke(0x54), 0x137},
        MessageCase{"PrintScreen", 0x2C, keystroke(0x37, true), 0x137},
        MessageCase{"NoScanCodeUsesTheVirtualKey", 0xAF, keystroke(0x00), 0x130},
        MessageCase{"NoScanCodeButExtendedFlagUsesTheVirtualKey", 0xAD, keystroke(0x00, true),
                    0x120},
        MessageCase{"ExtendedRightShiftIsRightShift", 0xA1, keystroke(0x36, true), 0x036},
        MessageCase{"ScrollLock", 0x91, keystroke(0x46), 0x046},
        MessageCase{"NumLockIsExtended", 0x90, keystroke(0x45, true), 0x145},
        MessageCase{"Home", 0x24, keystroke(0x47, true), 0x147},
        // Keypad 7 with Num Lock off reports VK_HOME: the scan code decides.
        MessageCase{"KeypadSevenAsHome", 0x24, keystroke(0x47), 0x047},
        MessageCase{"ReleaseFlagsDoNotChangeTheCode", 0x41, keystroke(0x1E, false, true), 0x01E},
        MessageCase{"VirtualKeyFFTakesTheScanCode", 0xFF, keystroke(0x5E, true), 0x15E},
        MessageCase{"VirtualKeyFFWithoutScanCode", 0xFF, keystroke(0x00), kNoKey},
        MessageCase{"UnmappedVirtualKeyWithoutScanCode", 0x07, keystroke(0x00), kNoKey}),
    [](const ::testing::TestParamInfo<MessageCase>& test) { return test.param.what; });

TEST(VirtualKeyMap, EveryMappedKeyHasANamedRow) {
    for (int virtualKey = 0; virtualKey < 256; ++virtualKey) {
        const KeyCode code = KeyCodeOfVirtualKey(static_cast<std::uint8_t>(virtualKey));
        if (code == kNoKey) {
            continue;
        }
        const KeyRow* row = KeyRowOf(code);
        ASSERT_NE(row, nullptr);
        // F13 is the one mapped key whose row carries no name.
        EXPECT_TRUE(!row->nameKey.empty() || code == 0x064) << "virtual key " << virtualKey;
    }
}

TEST(VirtualKeyMap, LettersDigitsAndFunctionKeysLandOnTheirRows) {
    const std::string_view letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (char letter : letters) {
        const KeyRow* row = KeyRowOf(KeyCodeOfVirtualKey(static_cast<std::uint8_t>(letter)));
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->englishName, std::string(1, letter));
    }
    for (char digit = '0'; digit <= '9'; ++digit) {
        const KeyRow* row = KeyRowOf(KeyCodeOfVirtualKey(static_cast<std::uint8_t>(digit)));
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->englishName, std::string(1, digit));
    }
    for (int n = 1; n <= 12; ++n) {
        const KeyRow* row = KeyRowOf(KeyCodeOfVirtualKey(static_cast<std::uint8_t>(0x6F + n)));
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->englishName, "F" + std::to_string(n));
    }
    EXPECT_EQ(KeyCodeOfVirtualKey(0x00), kNoKey);
    EXPECT_EQ(KeyCodeOfVirtualKey(0xA1), 0x036);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x03), 0x146);
}

} // namespace
} // namespace kw
