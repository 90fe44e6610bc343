#include "core/config/key_matrix.h"
#include "core/keys/key_table.h"
#include "core/keys/media_keys.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace kw {
namespace {

constexpr MatrixEntry kEscapeSlot{0x02, 0x02, 0x29};

std::string hex(const MatrixEntry& e) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X", e[0], e[1], e[2]);
    return text;
}

KeyEntry single(std::uint32_t code) {
    return {KeyEntryType::KeySingle, 0, code, 0, 0};
}

// The factory form of a key: what the keyboard's own table holds for it.
MatrixEntry factoryEntryOf(KeyCode code) {
    return encodeEntry(single(code), {}, {});
}

// A factory table with a slot for every key of the 111-entry list and for G1..G9.
KeyMatrix fullFactoryMatrix() {
    KeyMatrix m{};
    for (std::uint16_t p = 0; p < kKeyListSize; ++p) {
        m[p] = factoryEntryOf(KeyCodeOfListPosition(p));
    }
    for (std::uint8_t n = 1; n <= 9; ++n) {
        m[kKeyListSize + n - 1] = {0x06, 0xA2, n};
    }
    return m;
}

TEST(BuiltInDefaultMatrix, HoldsTheFactorySlots) {
    const KeyMatrix& m = kBuiltInDefaultMatrix;
    EXPECT_EQ(m[0], (MatrixEntry{0x05, 0x00, 0x00}));
    EXPECT_EQ(m[6], (MatrixEntry{0, 0, 0}));
    EXPECT_EQ(m[8], kEscapeSlot);
    EXPECT_EQ(m[13], (MatrixEntry{0x02, 0x01, 0x01}));
    EXPECT_EQ(m[38], (MatrixEntry{0x02, 0x02, 0x46}));
    EXPECT_EQ(m[53], (MatrixEntry{0x05, 0x02, 0x02}));
    EXPECT_EQ(m[62], (MatrixEntry{0x02, 0x02, 0x48}));
    for (std::size_t s = 64; s < kMatrixSlots; ++s) {
        EXPECT_EQ(m[s], (MatrixEntry{0, 0, 0})) << s;
    }
    const auto bytes = keyMatrixBytes(m);
    KeyMatrix back{};
    ASSERT_TRUE(keyMatrixFromBytes(bytes, back));
    EXPECT_EQ(back, m);
    EXPECT_FALSE(keyMatrixFromBytes(std::span(bytes).first(419), back));

    DefaultMatrix shared;
    EXPECT_EQ(shared.get(), m);
    shared.replace(fullFactoryMatrix());
    EXPECT_EQ(shared.get(), fullFactoryMatrix());
    shared.reset();
    EXPECT_EQ(shared.get(), m);
}

TEST(SlotKeyCode, WhichKeyAFactoryEntryIs) {
    struct Case {
        MatrixEntry entry;
        KeyCode code;
    };
    const std::vector<Case> cases = {
        {{0x02, 0x02, 0x29}, 0x001}, {{0x02, 0x02, 0xE5}, 0x036}, // Right Shift's first row
        {{0x02, 0x02, 0x48}, 0x045},                              // Pause, not Break
        {{0x02, 0x02, 0x00}, 0},     {{0x02, 0x02, 0xF9}, 0},     // usage of no key
        {{0x02, 0x01, 0x02}, 0x02A}, {{0x02, 0x01, 0x22}, 0x02A}, // lowest set bit
        {{0x02, 0x01, 0x80}, 0x15C}, {{0x02, 0x01, 0x00}, 0},     {{0x01, 0x01, 0x01}, 0x171},
        {{0x01, 0x01, 0x02}, 0x172}, {{0x01, 0x01, 0x04}, 0x173}, {{0x01, 0x01, 0x08}, 0},
        {{0x01, 0x05, 0x01}, 0x161}, {{0x01, 0x05, 0xFF}, 0x162}, {{0x01, 0x05, 0x02}, 0},
        {{0x03, 0xCD, 0x00}, 0x122}, {{0x03, 0x83, 0x01}, 0x16D}, {{0x03, 0x34, 0x12}, 0},
        {{0x03, 0x00, 0x00}, 0},     {{0x04, 0x81, 0x00}, 0x15E}, {{0x04, 0x83, 0x00}, 0x163},
        {{0x04, 0x84, 0x00}, 0},     {{0x04, 0x81, 0x01}, 0},     {{0x06, 0xA2, 0x01}, 0x200},
        {{0x06, 0xA2, 0x09}, 0x208}, {{0x06, 0xA2, 0x00}, 0},     {{0x06, 0xA1, 0x01}, 0},
        {{0x05, 0x00, 0x00}, 0},     {{0x05, 0x02, 0x02}, 0},     {{0x00, 0x00, 0x00}, 0},
        {{0x07, 0x02, 0x29}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(slotKeyCode(c.entry), c.code) << hex(c.entry);
    }
}

TEST(EncodeEntry, EveryTypeOnTheEscapeSlot) {
    std::vector<MacroRecord> macros(3);
    macros[0].macroId = 5;
    macros[1].macroId = 6;
    macros[2].macroId = 9;
    struct Case {
        const char* name;
        KeyEntry entry;
        MatrixEntry sent;
    };
    const std::vector<Case> cases = {
        {"default", {KeyEntryType::KeyDefault, 0, 0x1E, 0, 0}, kEscapeSlot},
        {"disabled", {KeyEntryType::KeyDisabled, 0, 0, 0, 0}, {0x00, 0x00, 0x00}},
        {"A", single(0x1E), {0x02, 0x02, 0x04}},
        {"left Ctrl", single(0x1D), {0x02, 0x01, 0x01}},
        {"right Win", single(0x15C), {0x02, 0x01, 0x80}},
        {"Right Shift", single(0x036), {0x02, 0x01, 0x20}},
        {"Right Shift second row", single(0x136), {0x02, 0x02, 0xE5}},
        {"left button", single(0x171), {0x01, 0x01, 0x01}},
        {"middle button", single(0x173), {0x01, 0x01, 0x04}},
        {"wheel up", single(0x161), {0x01, 0x05, 0x01}},
        {"wheel down", single(0x162), {0x01, 0x05, 0xFF}},
        {"media code as a key sends its raw byte", single(0x130), {0x02, 0x02, 0xC0}},
        {"system key has no keyboard usage", single(0x15E), {0x02, 0x02, 0x00}},
        {"code without usage", single(0x176), {0x02, 0x02, 0x00}},
        {"value beyond the code space", single(0x1001E), {0x02, 0x02, 0x00}},
        {"launch", {KeyEntryType::KeyLaunch, 0, 0, 0, 0}, kEscapeSlot},
        {"text", {KeyEntryType::KeyText, 0, 0, 0, 0}, {0x00, 0x00, 0x00}},
        {"macro at position 2", {KeyEntryType::KeyMacro, 3, 9, 0, 0}, {0x05, 0x01, 0x02}},
        {"macro not in the list", {KeyEntryType::KeyMacro, 1, 7, 0, 0}, {0x05, 0x01, 0x00}},
        {"special", {KeyEntryType::KeySpecial, 0, 0, 0, 0}, {0x05, 0x02, 0x00}},
        {"media 0", {KeyEntryType::KeyMedia, 0, 0, 0, 0}, {0x03, 0x83, 0x01}},
        {"media 7 (mute)", {KeyEntryType::KeyMedia, 0, 7, 0, 0}, {0x03, 0xE2, 0x00}},
        {"media index past the table", {KeyEntryType::KeyMedia, 0, 18, 0, 0}, kEscapeSlot},
        {"function 10", {KeyEntryType::KeyFunction, 0, 10, 0, 0}, {0x05, 0x05, 0x0A}},
        {"function low byte", {KeyEntryType::KeyFunction, 0, 0x1FF, 0, 0}, {0x05, 0x05, 0xFF}},
        {"unknown type", {static_cast<KeyEntryType>(99), 0, 0, 0, 0}, kEscapeSlot},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hex(encodeEntry(c.entry, kEscapeSlot, macros)), hex(c.sent)) << c.name;
    }
}

TEST(DecodeKeyMatrix, KeyboardEntriesOnTheEscapeSlot) {
    KeyMatrix defaults{};
    defaults[8] = kEscapeSlot;
    struct Case {
        MatrixEntry keyboard;
        KeyEntryType type;
        std::uint32_t value;
    };
    const std::vector<Case> cases = {
        {{0x05, 0x01, 0x00}, KeyEntryType::KeyMacro, 1}, // the first macro's id after a load
        {{0x05, 0x01, 0x63}, KeyEntryType::KeyMacro, 100},
        {{0x05, 0x02, 0x07}, KeyEntryType::KeySpecial, 0},
        {{0x05, 0x05, 0x03}, KeyEntryType::KeyFunction, 3},
        {{0x05, 0x09, 0x00}, KeyEntryType::KeyDisabled, 0},
        {{0x03, 0xCD, 0x00}, KeyEntryType::KeyMedia, 1},
        {{0x03, 0x8A, 0x01}, KeyEntryType::KeyMedia, 17},
        {{0x03, 0x34, 0x12}, KeyEntryType::KeyDisabled, 0},
        {{0x01, 0x01, 0x02}, KeyEntryType::KeySingle, 0x172},
        {{0x01, 0x05, 0xFF}, KeyEntryType::KeySingle, 0x162},
        {{0x01, 0x01, 0x08}, KeyEntryType::KeyDisabled, 0}, // never written by us
        {{0x01, 0x05, 0x02}, KeyEntryType::KeyDisabled, 0},
        {{0x02, 0x02, 0x04}, KeyEntryType::KeySingle, 0x1E},
        {{0x02, 0x02, 0xF9}, KeyEntryType::KeyDisabled, 0},
        {{0x02, 0x01, 0x20}, KeyEntryType::KeySingle, 0x036},
        {{0x02, 0x01, 0x00}, KeyEntryType::KeyDisabled, 0},
        {{0x02, 0x03, 0x04}, KeyEntryType::KeyDisabled, 0},
        {{0x04, 0x81, 0x00}, KeyEntryType::KeyDisabled, 0},
        {{0x06, 0xA2, 0x01}, KeyEntryType::KeyDisabled, 0},
        {{0x00, 0x00, 0x00}, KeyEntryType::KeyDisabled, 0},
        {kEscapeSlot, KeyEntryType::KeyDefault, 0},
    };
    for (const auto& c : cases) {
        KeyMatrix keyboard = defaults;
        keyboard[8] = c.keyboard;
        std::array<KeyEntry, kEntriesPerGroup> group{};
        decodeKeyMatrix(keyboard, defaults, group);
        EXPECT_EQ(group[0x01].type, c.type) << hex(c.keyboard);
        EXPECT_EQ(group[0x01].value, c.value) << hex(c.keyboard);
    }
}

TEST(DecodeKeyMatrix, StartsFromAClearedGroupWithGKeyIdentities) {
    std::array<KeyEntry, kEntriesPerGroup> group;
    group.fill({KeyEntryType::KeyText, 0x77, 5, 6, 7});
    decodeKeyMatrix(kBuiltInDefaultMatrix, kBuiltInDefaultMatrix, group);
    for (std::size_t k = 0; k < kEntriesPerGroup; ++k) {
        const std::uint16_t id = k < 256 || k > 273 ? 0 : gKeyIdentity(static_cast<int>(k));
        EXPECT_EQ(group[k], (KeyEntry{KeyEntryType::KeyDefault, id, 0, 0, 0})) << k;
    }
    EXPECT_EQ(group[264].keyId, 0x0309);
    EXPECT_EQ(group[265].keyId, 0x1301);
}

TEST(KeyMatrixSlots, SlotOfNoKeyIsNeitherEncodedNorDecoded) {
    // Slot 0 of the factory table (05 00 00) belongs to no key.
    std::array<KeyEntry, kEntriesPerGroup> group{};
    group[0] = {KeyEntryType::KeyDisabled, 0, 0, 0, 0};
    const KeyMatrix sent = encodeKeyMatrix(group, kBuiltInDefaultMatrix, {});
    EXPECT_EQ(sent[0], kBuiltInDefaultMatrix[0]);
    EXPECT_EQ(sent[6], kBuiltInDefaultMatrix[6]);

    KeyMatrix keyboard = kBuiltInDefaultMatrix;
    keyboard[0] = {0x02, 0x02, 0x04};
    std::array<KeyEntry, kEntriesPerGroup> decoded{};
    decodeKeyMatrix(keyboard, kBuiltInDefaultMatrix, decoded);
    for (std::size_t k = 0; k < 256; ++k) {
        EXPECT_EQ(decoded[k].type, KeyEntryType::KeyDefault) << k;
    }
}

TEST(KeyMatrixSlots, EncodeUsesTheEntryOfTheSlotsKey) {
    std::array<KeyEntry, kEntriesPerGroup> group{};
    group[0x01] = single(0x1E);                            // Esc -> A, slot 8
    group[0x2A] = {KeyEntryType::KeyDisabled, 0, 0, 0, 0}; // left Shift, slot 12
    const KeyMatrix sent = encodeKeyMatrix(group, kBuiltInDefaultMatrix, {});
    KeyMatrix expected = kBuiltInDefaultMatrix;
    expected[8] = {0x02, 0x02, 0x04};
    expected[12] = {0x00, 0x00, 0x00};
    EXPECT_EQ(sent, expected);
}

// Encodes `entries` (one per key) with the full factory table and decodes the result.
std::array<KeyEntry, kEntriesPerGroup>
roundTrip(const std::function<KeyEntry(std::size_t slot, KeyCode key)>& entryFor,
          std::span<const MacroRecord> macros = {}) {
    const KeyMatrix factory = fullFactoryMatrix();
    std::array<KeyEntry, kEntriesPerGroup> group{};
    for (std::size_t s = 0; s < kMatrixSlots; ++s) {
        if (const KeyCode key = slotKeyCode(factory[s])) {
            group[KeyIndexOf(key)] = entryFor(s, key);
        }
    }
    const KeyMatrix sent = encodeKeyMatrix(group, factory, macros);
    std::array<KeyEntry, kEntriesPerGroup> back{};
    decodeKeyMatrix(sent, factory, back);
    return back;
}

// The keys of the list and the G-keys, as the factory table names them.
std::vector<KeyCode> slotKeys() {
    std::vector<KeyCode> keys;
    const KeyMatrix factory = fullFactoryMatrix();
    for (const auto& e : factory) {
        if (const KeyCode key = slotKeyCode(e)) {
            keys.push_back(key);
        }
    }
    return keys;
}

TEST(KeyMatrixRoundTrip, EveryKeyOfTheListHasItsOwnSlotExceptBreak) {
    for (std::uint16_t p = 0; p < kKeyListSize; ++p) {
        const KeyCode key = KeyCodeOfListPosition(p);
        // Break shares Pause's usage byte, so the keyboard cannot tell them apart.
        const KeyCode expected = key == 0x146 ? 0x045 : key;
        EXPECT_EQ(slotKeyCode(factoryEntryOf(key)), expected) << std::hex << key;
    }
}

TEST(KeyMatrixRoundTrip, SingleKeysToEveryKeyOfTheList) {
    // The key of slot s is sent as the list key at position s + 1: every key is a target once.
    const auto targetOf = [](std::size_t s) {
        return KeyCodeOfListPosition(static_cast<std::uint16_t>((s + 1) % kKeyListSize));
    };
    const auto back = roundTrip([&](std::size_t s, KeyCode) { return single(targetOf(s)); });
    std::map<std::uint16_t, KeyCode> expected; // by keyIndex; Pause's second slot (Break's) wins
    const KeyMatrix factory = fullFactoryMatrix();
    for (std::size_t s = 0; s < kMatrixSlots; ++s) {
        if (const KeyCode key = slotKeyCode(factory[s])) {
            expected[KeyIndexOf(key)] = targetOf(s) == 0x146 ? 0x045 : targetOf(s); // Break: Pause
        }
    }
    ASSERT_EQ(expected.size(), kKeyListSize - 1 + 9u);
    for (const auto& [keyIndex, target] : expected) {
        EXPECT_EQ(back[keyIndex].type, KeyEntryType::KeySingle) << keyIndex;
        EXPECT_EQ(back[keyIndex].value, target) << keyIndex;
    }
}

TEST(KeyMatrixRoundTrip, EveryEntryTypeOnEveryKey) {
    std::vector<MacroRecord> macros(3);
    macros[0].macroId = 1;
    macros[1].macroId = 2;
    macros[2].macroId = 40;
    struct Case {
        const char* name;
        KeyEntry sent;
        KeyEntry back;
    };
    std::vector<Case> cases = {
        {"default", {KeyEntryType::KeyDefault, 0, 0, 0, 0}, {KeyEntryType::KeyDefault, 0, 0, 0, 0}},
        {"disabled",
         {KeyEntryType::KeyDisabled, 0, 0, 0, 0},
         {KeyEntryType::KeyDisabled, 0, 0, 0, 0}},
        {"special", {KeyEntryType::KeySpecial, 0, 0, 0, 0}, {KeyEntryType::KeySpecial, 0, 0, 0, 0}},
        {"macro id 2 at position 1",
         {KeyEntryType::KeyMacro, 0, 2, 0, 0},
         {KeyEntryType::KeyMacro, 0, 2, 0, 0}},
        // Macro references come back as position + 1, not as the id.
        {"macro id 40 at position 2",
         {KeyEntryType::KeyMacro, 0, 40, 0, 0},
         {KeyEntryType::KeyMacro, 0, 3, 0, 0}},
        // The keyboard keeps no launch or text entries: launch sends the default, text nothing.
        {"launch", {KeyEntryType::KeyLaunch, 0, 8, 0, 0}, {KeyEntryType::KeyDefault, 0, 0, 0, 0}},
        {"text", {KeyEntryType::KeyText, 0, 8, 0, 0}, {KeyEntryType::KeyDisabled, 0, 0, 0, 0}},
        // mark and extra stay on the PC.
        {"carried fields",
         {KeyEntryType::KeyDisabled, 0, 0, 9, 9},
         {KeyEntryType::KeyDisabled, 0, 0, 0, 0}},
    };
    for (std::uint32_t m = 0; m < kMediaKeyCount; ++m) {
        cases.push_back(
            {"media", {KeyEntryType::KeyMedia, 0, m, 0, 0}, {KeyEntryType::KeyMedia, 0, m, 0, 0}});
    }
    for (std::uint32_t f = 0; f < kFunctionKeyCount; ++f) {
        cases.push_back({"function",
                         {KeyEntryType::KeyFunction, 0, f, 0, 0},
                         {KeyEntryType::KeyFunction, 0, f, 0, 0}});
    }
    for (const auto& c : cases) {
        const auto back = roundTrip([&c](std::size_t, KeyCode) { return c.sent; }, macros);
        for (const KeyCode key : slotKeys()) {
            KeyEntry expected = c.back;
            expected.keyId = gKeyIdentity(KeyIndexOf(key));
            EXPECT_EQ(back[KeyIndexOf(key)], expected)
                << c.name << " " << c.sent.value << " on key " << std::hex << key;
        }
    }
}

} // namespace
} // namespace kw
