#include "core/keys/key_codes.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

struct IndexCase {
    KeyCode code;
    std::uint16_t keyIndex;
    friend void PrintTo(const IndexCase& c, std::ostream* os) { *os << std::hex << "0x" << c.code; }
};

class KeyIndexOfTest : public ::testing::TestWithParam<IndexCase> {};

TEST_P(KeyIndexOfTest, FollowsTheThreeRanges) {
    EXPECT_EQ(KeyIndexOf(GetParam().code), GetParam().keyIndex);
}

INSTANTIATE_TEST_SUITE_P(Ranges, KeyIndexOfTest,
                         ::testing::Values(IndexCase{0x000, 0}, IndexCase{0x045, 69},
                                           IndexCase{0x0FF, 255}, IndexCase{0x100, 128},
                                           IndexCase{0x147, 199}, IndexCase{0x17F, 255},
                                           // 0x180..0x1FF fold onto rows 0..127.
                                           IndexCase{0x180, 0}, IndexCase{0x1A0, 0x20},
                                           IndexCase{0x1FF, 127},
                                           // G-keys: 256 and up.
                                           IndexCase{0x200, 256}, IndexCase{0x203, 259},
                                           IndexCase{0x208, 264}, IndexCase{0xFFFF, 0xFEFF}));

TEST(KeyCodeOfIndex, EveryRowRoundTripsThroughItsCode) {
    for (std::uint16_t row = 0; row < kKeyTableRows; ++row) {
        const KeyCode code = KeyCodeOfIndex(row);
        EXPECT_EQ(KeyIndexOf(code), row) << "row " << row;
        // Rows 128..255 are the E0-prefixed codes, never the folded 0x180.. range.
        EXPECT_LT(code, 0x180) << "row " << row;
    }
    EXPECT_EQ(KeyCodeOfIndex(199), 0x147);
    EXPECT_EQ(KeyCodeOfIndex(127), 0x07F);
    EXPECT_EQ(KeyCodeOfIndex(128), 0x100);
}

TEST(GKeyCode, NineKeysFrom0x200WithEntriesFrom256) {
    for (int n = 1; n <= kGKeyCount; ++n) {
        const KeyCode code = GKeyCode(n);
        EXPECT_EQ(code, 0x1FF + n);
        EXPECT_TRUE(IsGKeyCode(code));
        EXPECT_EQ(KeyIndexOf(code), kFirstGKeyIndex + n - 1);
    }
    EXPECT_FALSE(IsGKeyCode(0x1FF));
    EXPECT_FALSE(IsGKeyCode(0x209));
}

} // namespace
} // namespace kw
