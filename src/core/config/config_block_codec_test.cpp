#include "core/config/config_block_codec.h"

#include <gtest/gtest.h>
#include <vector>

namespace kw {
namespace {

std::uint16_t u16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return u16At(b, at) | static_cast<std::uint32_t>(u16At(b, at + 2)) << 16;
}

TEST(ConfigBlockCodec, EntriesSitAtTheirOffsetsAndComeBack) {
    auto block = makeDefaultBlock();
    KeyEntry& e = block->entries[entryNumber(2, 0x47)];
    e = {KeyEntryType::KeyMedia, 0x1234, 0x89ABCDEF, 0x11223344, 0x55667788};
    block->entries[entryNumber(3, 511)].extra = 7;

    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    appendConfigBlock(out, *block);
    ASSERT_EQ(bytes.size(), kConfigBlockSize);

    const std::size_t at = 64 + 2 * 8192 + 0x47 * 16;
    EXPECT_EQ(u16At(bytes, at), 7);
    EXPECT_EQ(u16At(bytes, at + 2), 0x1234);
    EXPECT_EQ(u32At(bytes, at + 4), 0x89ABCDEFu);
    EXPECT_EQ(u32At(bytes, at + 8), 0x11223344u);
    EXPECT_EQ(u32At(bytes, at + 12), 0x55667788u);
    EXPECT_EQ(u32At(bytes, kConfigBlockSize - 4), 7u);
    EXPECT_EQ(bytes[32], 0x4B); // the signature follows the header
    EXPECT_EQ(bytes[48], 0x45);

    ConfigBlock back;
    ASSERT_TRUE(decodeConfigBlock(bytes, back));
    EXPECT_EQ(back, *block);
    bytes.pop_back();
    EXPECT_FALSE(decodeConfigBlock(bytes, back));
}

TEST(ConfigBlockCodec, MacroRecordFieldsAndRoundTrip) {
    MacroRecord r;
    r.setName(u"ab");
    r.repeatCount = 5;
    r.pendingFlag = 0x0102;
    r.playMode = 0x0304;
    r.macroId = 42;
    r.actionCount = 2000;
    r.actions[0] = {40960, 0x1E, 0};
    r.actions[1999] = {10, 0x171, 1};

    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    appendMacroRecord(out, r);
    ASSERT_EQ(bytes.size(), kMacroRecordSize);
    EXPECT_EQ(u16At(bytes, 0), u'a');
    EXPECT_EQ(u16At(bytes, 4), 0); // terminator
    EXPECT_EQ(bytes[500], 5);
    EXPECT_EQ(u16At(bytes, 502), 0x0102);
    EXPECT_EQ(u16At(bytes, 504), 0x0304);
    EXPECT_EQ(u16At(bytes, 506), 42);
    EXPECT_EQ(u16At(bytes, kMacroActionCountOffset), 2000);
    EXPECT_EQ(u32At(bytes, 512), 40960u);
    EXPECT_EQ(u16At(bytes, 516), 0x1E);
    EXPECT_EQ(u16At(bytes, 512 + 1999 * 8 + 4), 0x171);
    EXPECT_EQ(u16At(bytes, 512 + 1999 * 8 + 6), 1);

    MacroRecord back;
    ASSERT_TRUE(decodeMacroRecord(bytes, back));
    EXPECT_EQ(back, r);
    EXPECT_FALSE(decodeMacroRecord(std::span(bytes).first(kMacroRecordSize - 1), back));
}

TEST(ConfigBlockCodec, ShortHeaderIsRefused) {
    const std::vector<std::uint8_t> bytes(31, 0);
    ConfigHeader h;
    EXPECT_FALSE(decodeConfigHeader(bytes, h));
}

} // namespace
} // namespace kw
