#include "core/base/bytes.h"
#include "core/config/config_image.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw {
namespace {

// An image with a default block and the given entry types.
struct ImageFixture : ::testing::Test {
    ConfigImage image;
    void SetUp() override { image.createDefaultBlock(); }
    void setEntry(std::size_t number, KeyEntryType type, std::u16string_view text) {
        image.block->entries[number].type = type;
        image.setString(number, text);
    }
};

std::u16string poolString(const std::vector<std::uint8_t>& pool, std::size_t at) {
    std::u16string s;
    for (; at + 2 <= pool.size() && loadU16(pool, at) != 0; at += 2) {
        s.push_back(static_cast<char16_t>(loadU16(pool, at)));
    }
    return s;
}

std::vector<std::uint8_t> poolOf(std::u16string_view text, bool terminated = true) {
    std::vector<std::uint8_t> pool;
    ByteWriter out(pool);
    for (char16_t c : text) {
        out.u16(c);
    }
    if (terminated) {
        out.u16(0);
    }
    return pool;
}

TEST_F(ImageFixture, PackPlacesStringsBackToBackInSlotOrder) {
    setEntry(600, KeyEntryType::KeyText, u"hello");
    setEntry(7, KeyEntryType::KeyText, u"abc");
    EXPECT_EQ(image.stringBytes, 20u);

    const auto pool = image.packStrings();
    ASSERT_EQ(pool.size(), 20u);
    EXPECT_EQ(image.block->entries[7].value, 0u);
    EXPECT_EQ(image.block->entries[600].value, 8u);
    EXPECT_EQ(poolString(pool, 0), u"abc");
    EXPECT_EQ(poolString(pool, 8), u"hello");
    EXPECT_EQ(loadU16(pool, 18), 0);
}

TEST_F(ImageFixture, SlotOfAnotherTypeTakesNoRoomButCountsInThePool) {
    setEntry(3, KeyEntryType::KeySingle, u"stale"); // 12 bytes left behind by an editor
    setEntry(9, KeyEntryType::KeyLaunch, u"/bin/x");
    image.block->entries[3].value = 0x1E;

    const auto pool = image.packStrings();
    ASSERT_EQ(pool.size(), 26u);
    EXPECT_EQ(image.block->entries[9].value, 0u);
    EXPECT_EQ(image.block->entries[3].value, 0x1Eu); // not a string entry: untouched
    EXPECT_EQ(poolString(pool, 0), u"/bin/x");
    for (std::size_t i = 14; i < 26; ++i) {
        EXPECT_EQ(pool[i], 0) << i;
    }
}

TEST_F(ImageFixture, StringEntryWithoutAStringPointsPastThePool) {
    // A launch entry whose string was lost keeps no offset into the strings of others.
    image.block->entries[4].type = KeyEntryType::KeyLaunch; // value 0, empty slot
    setEntry(9, KeyEntryType::KeyText, u"other");
    const auto pool = image.packStrings();
    EXPECT_EQ(image.block->entries[4].value, pool.size());

    ConfigImage back;
    back.block = std::make_unique<ConfigBlock>(*image.block);
    back.unpackStrings(pool);
    EXPECT_TRUE(back.strings[4].empty());
    EXPECT_EQ(back.strings[9].text, u"other");
}

TEST_F(ImageFixture, PackThenUnpackGivesTheStringsBack) {
    setEntry(512 + 0x10, KeyEntryType::KeyLaunch, u"/usr/bin/calc");
    setEntry(1024, KeyEntryType::KeyText, u"gg wp \u00e9\U0001F600");
    setEntry(5, KeyEntryType::KeyText, u"");
    const auto pool = image.packStrings();

    ConfigImage back;
    back.block = std::make_unique<ConfigBlock>(*image.block);
    back.unpackStrings(pool);
    EXPECT_EQ(back.strings[512 + 0x10].text, u"/usr/bin/calc");
    EXPECT_EQ(back.strings[1024].text, u"gg wp \u00e9\U0001F600");
    EXPECT_EQ(back.strings[5].byteLength, 2u); // an empty string keeps its terminator
    EXPECT_EQ(back.stringBytes, image.stringBytes);
}

TEST(UnpackStrings, StaysInsideThePool) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> pool;
        std::uint32_t value;
        std::u16string text;
        std::uint32_t byteLength;
    };
    std::vector<std::uint8_t> odd = poolOf(u"xy", false);
    odd.push_back(0x41); // half a character at the end
    const std::vector<Case> cases = {
        {"plain", poolOf(u"abc"), 0, u"abc", 8},
        {"lowest bit of the offset ignored", poolOf(u"abc"), 3, u"bc", 6},
        {"offset past the pool", poolOf(u"abc"), 8, u"", 0},
        {"far offset", poolOf(u"abc"), 0xFFFFFFFF, u"", 0},
        {"unterminated ends with the pool", poolOf(u"abc", false), 0, u"abc", 8},
        {"odd pool ignores its last byte", odd, 0, u"xy", 6},
        {"empty pool", {}, 0, u"", 0},
    };
    for (const auto& c : cases) {
        ConfigImage image;
        image.createDefaultBlock();
        image.block->entries[40].type = KeyEntryType::KeyLaunch;
        image.block->entries[40].value = c.value;
        image.unpackStrings(c.pool);
        EXPECT_EQ(image.strings[40].text, c.text) << c.name;
        EXPECT_EQ(image.strings[40].byteLength, c.byteLength) << c.name;
        EXPECT_EQ(image.stringBytes, c.byteLength) << c.name;
    }
}

TEST(UnpackStrings, EntriesSharingOneLongStringCannotMultiplyIt) {
    // Every entry of a hostile file points at the same unterminated 1 MiB string.
    const std::u16string longText(512 * 1024, u'x');
    const auto pool = poolOf(longText, false);
    ConfigImage image;
    image.createDefaultBlock();
    for (auto& e : image.block->entries) {
        e = {KeyEntryType::KeyText, 0, 0, 0, 0};
    }
    image.unpackStrings(pool);
    EXPECT_LE(image.stringBytes, pool.size() + 2 * kEntryCount);
    EXPECT_EQ(image.strings[0].text.size(), longText.size());
    EXPECT_TRUE(image.strings[1].empty());
}

TEST(UnpackStrings, OnlyLaunchAndTextEntriesGetStrings) {
    const auto pool = poolOf(u"abc");
    ConfigImage image;
    image.createDefaultBlock();
    image.block->entries[1].type = KeyEntryType::KeySingle; // value 0 points at "abc"
    image.block->entries[2].type = KeyEntryType::KeyText;
    image.unpackStrings(pool);
    EXPECT_TRUE(image.strings[1].empty());
    EXPECT_EQ(image.strings[2].text, u"abc");
}

TEST_F(ImageFixture, ClearStringKeepsTheTotal) {
    setEntry(7, KeyEntryType::KeyText, u"abc");
    setEntry(8, KeyEntryType::KeyText, u"de");
    image.clearString(7);
    EXPECT_TRUE(image.strings[7].empty());
    EXPECT_EQ(image.stringBytes, 6u);
    image.setString(8, u"defg"); // replacing subtracts the old length
    EXPECT_EQ(image.stringBytes, 10u);
    image.clearString(kEntryCount); // out of range: nothing
    EXPECT_EQ(image.stringBytes, 10u);
}

TEST_F(ImageFixture, EntryAccessorChecksItsArguments) {
    EXPECT_EQ(image.entry(1, 5), &image.block->entries[517]);
    EXPECT_EQ(image.entry(3, 511), &image.block->entries[2047]);
    EXPECT_EQ(image.entry(4, 0), nullptr);
    EXPECT_EQ(image.entry(0, 512), nullptr);
    EXPECT_EQ(image.entry(-1, 0), nullptr);
    image.clearBlock();
    EXPECT_EQ(image.entry(0, 0), nullptr);
}

TEST_F(ImageFixture, MacroPositionOfFirstMatchOrZero) {
    image.macros.resize(3);
    image.macros[0].macroId = 4;
    image.macros[1].macroId = 9;
    image.macros[2].macroId = 9;
    EXPECT_EQ(image.macroPositionOf(4), 0);
    EXPECT_EQ(image.macroPositionOf(9), 1);
    EXPECT_EQ(image.macroPositionOf(5), 0);
    image.clearMacros();
    EXPECT_EQ(image.macroCount(), 0);
}

TEST_F(ImageFixture, ReplaceContentTakesEverything) {
    setEntry(7, KeyEntryType::KeyText, u"old");
    ConfigImage staged;
    staged.createDefaultBlock();
    staged.macros.resize(2);
    staged.block->entries[9].type = KeyEntryType::KeyLaunch;
    staged.setString(9, u"new");
    image.replaceContent(staged);
    EXPECT_EQ(image.macroCount(), 2);
    EXPECT_TRUE(image.strings[7].empty());
    EXPECT_EQ(image.strings[9].text, u"new");
    EXPECT_EQ(image.stringBytes, 8u);
}

} // namespace
} // namespace kw
