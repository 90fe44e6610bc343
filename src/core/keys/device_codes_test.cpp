#include "core/keys/device_codes.h"
#include "core/keys/key_table.h"
#include "core/keys/media_keys.h"

#include <gtest/gtest.h>
#include <map>

namespace kw {
namespace {

struct DeviceCodeCase {
    KeyCode code;
    DeviceCode expected;
    friend void PrintTo(const DeviceCodeCase& c, std::ostream* os) {
        *os << std::hex << "0x" << c.code;
    }
};

class DeviceCodeOfTest : public ::testing::TestWithParam<DeviceCodeCase> {};

TEST_P(DeviceCodeOfTest, SortsTheUsageByteIntoItsCategory) {
    const DeviceCode got = DeviceCodeOf(GetParam().code);
    EXPECT_EQ(got.category, GetParam().expected.category);
    EXPECT_EQ(got.value, GetParam().expected.value);
}

INSTANTIATE_TEST_SUITE_P(
    Categories, DeviceCodeOfTest,
    ::testing::Values(
        // A media key stays the keyboard category with its raw consumer byte.
        DeviceCodeCase{0x130, {kDeviceKeyboard, 0xC0}}, DeviceCodeCase{0x171, {kDeviceMouse, 0xF1}},
        DeviceCodeCase{0x162, {kDeviceMouse, 0xF5}},
        DeviceCodeCase{0x15E, {kDeviceSystemControl, 0x81}},
        DeviceCodeCase{0x163, {kDeviceSystemControl, 0x83}},
        DeviceCodeCase{0x176, {kDeviceNone, 0}}, DeviceCodeCase{0x054, {kDeviceNone, 0}},
        DeviceCodeCase{0x01E, {kDeviceKeyboard, 0x04}},
        DeviceCodeCase{0x174, {kDeviceKeyboard, 0xD2}}, DeviceCodeCase{0x000, {kDeviceNone, 0}},
        // G-keys have no row and so no device code here.
        DeviceCodeCase{0x200, {kDeviceNone, 0}}));

struct BackCase {
    DeviceCode deviceCode;
    KeyCode expected;
    friend void PrintTo(const BackCase& c, std::ostream* os) {
        *os << "(" << c.deviceCode.category << ", 0x" << std::hex << c.deviceCode.value << ")";
    }
};

class KeyCodeOfDeviceCodeTest : public ::testing::TestWithParam<BackCase> {};

TEST_P(KeyCodeOfDeviceCodeTest, FindsTheFirstRowWithTheTargetByte) {
    EXPECT_EQ(KeyCodeOfDeviceCode(GetParam().deviceCode), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    FirstMatch, KeyCodeOfDeviceCodeTest,
    ::testing::Values(
        // Right Shift: row 0x036 comes before 0x136.
        BackCase{{kDeviceKeyboard, 0xE5}, 0x036},
        // Pause and Break share 0x48: Pause's row comes first.
        BackCase{{kDeviceKeyboard, 0x48}, 0x045}, BackCase{{kDeviceKeyboard, 0xC0}, 0x130},
        BackCase{{kDeviceConsumer, 0x00CD}, 0x122}, BackCase{{kDeviceConsumer, 0x0183}, 0x16D},
        BackCase{{kDeviceSystemControl, 0x81}, 0x15E},
        BackCase{{kDeviceSystemControl, 0x84}, kNoKey},
        BackCase{{kDeviceSystemControl, 0x04}, kNoKey},
        // Mouse codes are never accepted as input.
        BackCase{{kDeviceMouse, 0xF1}, kNoKey},
        // A consumer usage no media key sends, and usage 0 ("unassigned"),
        // which must not match the table's empty tail (0xD2, Zoom-).
        BackCase{{kDeviceConsumer, 0x0030}, kNoKey}, BackCase{{kDeviceConsumer, 0x0000}, kNoKey},
        BackCase{{kDeviceKeyboard, 0x0000}, kNoKey}, BackCase{{kDeviceKeyboard, 0x0104}, kNoKey},
        BackCase{{kDeviceKeyboard, 0x00FF}, kNoKey}, BackCase{{3, 0x04}, kNoKey}));

// Code -> device code -> code for every key of the editors' list. It holds for
// all of them except Break, which shares its usage with Pause, and the mouse
// buttons and wheel, which the keyboard never reports back.
TEST(DeviceCodeRoundTrip, EveryListKeyComesBackExceptBreakAndTheMouse) {
    const std::map<KeyCode, KeyCode> exceptions = {
        {0x146, 0x045},  {0x171, kNoKey}, {0x172, kNoKey},
        {0x173, kNoKey}, {0x161, kNoKey}, {0x162, kNoKey},
    };
    for (std::uint16_t position = 0; position < kKeyListSize; ++position) {
        const KeyCode code = KeyCodeOfListPosition(position);
        const auto exception = exceptions.find(code);
        const KeyCode expected = exception == exceptions.end() ? code : exception->second;
        EXPECT_EQ(KeyCodeOfDeviceCode(DeviceCodeOf(code)), expected)
            << "position " << position << " code " << std::hex << code;
    }
}

TEST(ConsumerUsages, EachMediaKeySendsTheUsageOfItsRowsByte) {
    const auto& usages = ConsumerUsageTable();
    for (const MediaKey& media : MediaKeyTable()) {
        const DeviceCode device = DeviceCodeOf(media.code);
        ASSERT_EQ(device.category, kDeviceKeyboard) << std::hex << media.code;
        ASSERT_GE(device.value, 0xC0);
        ASSERT_LT(device.value, 0xC0 + kConsumerUsageCount);
        EXPECT_EQ(usages[device.value - 0xC0], media.consumerUsage) << std::hex << media.code;
        EXPECT_EQ(KeyCodeOfDeviceCode({kDeviceConsumer, media.consumerUsage}), media.code);
    }
    for (int i = 18; i < kConsumerUsageCount; ++i) {
        EXPECT_EQ(usages[i], 0) << i;
    }
}

struct MaskCase {
    std::uint8_t mask;
    KeyCode expected;
    friend void PrintTo(const MaskCase& c, std::ostream* os) {
        *os << "0x" << std::hex << int{c.mask};
    }
};

class ModifierMaskTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(ModifierMaskTest, GivesTheLowestSetBit) {
    EXPECT_EQ(KeyCodeOfModifierMask(GetParam().mask), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Bits, ModifierMaskTest,
                         ::testing::Values(MaskCase{0x00, kNoKey}, MaskCase{0x01, 0x01D},
                                           MaskCase{0x02, 0x02A}, MaskCase{0x04, 0x038},
                                           MaskCase{0x08, 0x15B}, MaskCase{0x10, 0x11D},
                                           MaskCase{0x20, 0x036}, MaskCase{0x40, 0x138},
                                           MaskCase{0x80, 0x15C}, MaskCase{0x22, 0x02A},
                                           MaskCase{0xC0, 0x138}, MaskCase{0xFF, 0x01D}));

// HID orders the modifier usages 0xE0..0xE7 as the mask bits; each bit's key
// must carry the usage of its bit, or a decoded modifier would name another key.
TEST(ModifierBits, EachBitsKeyHasTheMatchingModifierUsage) {
    for (std::size_t bit = 0; bit < kModifierBits.size(); ++bit) {
        EXPECT_EQ(kModifierBits[bit].mask, 1u << bit);
        const DeviceCode device = DeviceCodeOf(kModifierBits[bit].code);
        EXPECT_EQ(device.category, kDeviceKeyboard);
        EXPECT_EQ(device.value, 0xE0 + bit) << "bit " << bit;
    }
}

} // namespace
} // namespace kw
