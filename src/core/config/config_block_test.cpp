#include "core/config/config_block.h"
#include "core/config/config_block_codec.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw {
namespace {

TEST(DefaultBlock, HeaderBytesAndChecksum) {
    const auto block = makeDefaultBlock();
    const auto bytes = encodeConfigHeader(block->header);
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 14);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0x46, 0x44, 0x20, 0x00, 0x03, 0x00, 0x01, 0x00, 0x40,
                                               0x80, 0x00, 0x00, 0x00, 0x08}));
    for (std::size_t i = 14; i <= 30; ++i) {
        EXPECT_EQ(bytes[i], 0) << "byte " << i;
    }
    EXPECT_EQ(bytes[31], 0x76);
    EXPECT_TRUE(headerIsValid(block->header));
}

TEST(DefaultBlock, SignatureAndGKeyIdentitiesOfGroupZeroOnly) {
    const auto block = makeDefaultBlock();
    EXPECT_EQ(block->signature, kDeviceSignature);
    EXPECT_EQ(block->entries[entryNumber(0, 256)].keyId, 0x0301);
    EXPECT_EQ(block->entries[entryNumber(0, 264)].keyId, 0x0309);
    EXPECT_EQ(block->entries[entryNumber(0, 265)].keyId, 0x1301);
    EXPECT_EQ(block->entries[entryNumber(0, 273)].keyId, 0x1309);
    for (std::size_t i = 0; i < kEntryCount; ++i) {
        const KeyEntry& e = block->entries[i];
        const bool gKeyOfGroupZero = i >= 256 && i <= 273;
        EXPECT_EQ(e.type, KeyEntryType::KeyDefault);
        EXPECT_EQ(e.value | e.mark | e.extra, 0u);
        if (!gKeyOfGroupZero) {
            EXPECT_EQ(e.keyId, 0) << "entry " << i;
        }
    }
}

TEST(StampHeader, CountsAndTotalSize) {
    ConfigBlock block;
    block.header.reserved20 = 0xDEADBEEF; // stamping rewrites the whole header
    stampHeader(block, 2, 10, 0);
    EXPECT_EQ(block.header.totalSize, 65866u);
    EXPECT_EQ(block.header.macroCount, 2);
    EXPECT_EQ(block.header.poolBytes, 10u);
    EXPECT_EQ(block.header.reserved20, 0u);
    EXPECT_TRUE(headerIsValid(block.header));
}

TEST(HeaderValidity, EachRuleRejectsOnItsOwn) {
    struct Case {
        std::string name;
        std::function<void(ConfigHeader&)> change;
        bool restamp; // recompute the checksum after the change
        bool valid;
    };
    const std::vector<Case> cases = {
        {"untouched", [](ConfigHeader&) {}, true, true},
        {"magic", [](ConfigHeader& h) { h.magic = 0x4445; }, true, false},
        {"headerSize", [](ConfigHeader& h) { h.headerSize = 33; }, true, false},
        {"formatA", [](ConfigHeader& h) { h.formatA = 2; }, true, false},
        {"formatB", [](ConfigHeader& h) { h.formatB = 0; }, true, false},
        {"entryCount", [](ConfigHeader& h) { h.entryCount = 2047; }, true, false},
        {"100 macros",
         [](ConfigHeader& h) {
             h.macroCount = 100;
             h.totalSize = static_cast<std::uint32_t>(configurationSize(100, h.poolBytes));
         },
         true, true},
        {"101 macros",
         [](ConfigHeader& h) {
             h.macroCount = 101;
             h.totalSize = static_cast<std::uint32_t>(configurationSize(101, h.poolBytes));
         },
         true, false},
        {"flag 1", [](ConfigHeader& h) { h.flag = 1; }, true, true},
        {"flag 2", [](ConfigHeader& h) { h.flag = 2; }, true, false},
        {"totalSize disagrees", [](ConfigHeader& h) { h.totalSize += 2; }, true, false},
        {"totalSize below block", [](ConfigHeader& h) { h.totalSize = 100; }, true, false},
        {"checksum off by one", [](ConfigHeader& h) { h.checksum += 1; }, false, false},
        {"reserved bytes count in the checksum", [](ConfigHeader& h) { h.reserved24 = 1; }, false,
         false},
        {"pool that wraps totalSize",
         [](ConfigHeader& h) {
             // In 32 bits the sum wraps around to a small total that looks right.
             h.poolBytes = 0xFFFFFFFF - 32832 + 1;
             h.totalSize = static_cast<std::uint32_t>(configurationSize(h.macroCount, h.poolBytes));
         },
         true, false},
    };
    for (const auto& c : cases) {
        ConfigBlock block;
        stampHeader(block, 3, 40, 0);
        c.change(block.header);
        if (c.restamp) {
            block.header.checksum = headerChecksum(block.header);
        }
        EXPECT_EQ(headerIsValid(block.header), c.valid) << c.name;
    }
}

} // namespace
} // namespace kw
