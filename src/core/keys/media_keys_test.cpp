#include "core/keys/key_table.h"
#include "core/keys/media_keys.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace kw {
namespace {

TEST(MediaKeyTable, NamesAndUsagesAgreeWithTheKeyTable) {
    std::set<KeyCode> codes;
    std::set<std::uint16_t> usages;
    for (int i = 0; i < kMediaKeyCount; ++i) {
        const MediaKey& media = MediaKeyTable()[i];
        EXPECT_TRUE(codes.insert(media.code).second) << "code listed twice, index " << i;
        EXPECT_TRUE(usages.insert(media.consumerUsage).second) << "usage twice, index " << i;
        const KeyRow* row = KeyRowOf(media.code);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->nameKey, media.nameKey) << "index " << i;
        // The name keys end in the media index + 1.
        EXPECT_TRUE(media.nameKey.ends_with("_" + std::to_string(i + 1))) << media.nameKey;
        EXPECT_EQ(MediaIndexOfConsumerUsage(media.consumerUsage), i);
    }
}

TEST(MediaKeyTable, IsMediaKeyCodeHoldsForExactlyItsCodes) {
    std::set<KeyCode> media;
    for (const MediaKey& entry : MediaKeyTable()) {
        media.insert(entry.code);
    }
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        EXPECT_EQ(IsMediaKeyCode(static_cast<KeyCode>(code)), media.count(code) == 1)
            << std::hex << code;
    }
}

TEST(MediaKeyTable, UsagesNoMediaFunctionSendsHaveNoIndex) {
    EXPECT_EQ(MediaIndexOfConsumerUsage(0x0000), -1);
    EXPECT_EQ(MediaIndexOfConsumerUsage(0x00E3), -1);
}

TEST(FunctionKeyTable, NamesTheElevenFunctionsFromOne) {
    for (int i = 0; i < kFunctionKeyCount; ++i) {
        EXPECT_EQ(FunctionKeyTable()[i], "FUNC_KEY_DESC" + std::to_string(i + 1));
    }
}

} // namespace
} // namespace kw
