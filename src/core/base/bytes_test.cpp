#include "core/base/bytes.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(ByteReader, ReadsLittleEndianFields) {
    const std::uint8_t data[] = {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12};
    ByteReader r(data);
    EXPECT_EQ(r.u8(), 0x01);
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.u32(), 0x12345678u);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(ByteReader, NeverReadsPastTheEnd) {
    const std::uint8_t data[] = {0xAA, 0xBB, 0xCC};
    ByteReader r(data);
    EXPECT_EQ(r.u16(), 0xBBAA);
    EXPECT_EQ(r.u16(), 0); // one byte left: refused, not half-read
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.u8(), 0); // stays failed
    EXPECT_TRUE(r.take(1).empty());
}

TEST(ByteReader, TakeAndSeekAreBounded) {
    const std::uint8_t data[] = {1, 2, 3, 4};
    ByteReader r(data);
    r.seek(2);
    auto view = r.take(2);
    ASSERT_EQ(view.size(), 2u);
    EXPECT_EQ(view[0], 3);
    ByteReader s(data);
    s.seek(5);
    EXPECT_FALSE(s.ok());
    ByteReader t(data);
    EXPECT_TRUE(t.take(SIZE_MAX).empty()); // a hostile length cannot wrap around
    EXPECT_FALSE(t.ok());
}

TEST(ByteWriter, WritesLittleEndianFields) {
    std::vector<std::uint8_t> out;
    ByteWriter w(out);
    w.u8(0x01);
    w.u16(0x1234);
    w.u32(0x12345678);
    w.zeros(2);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0, 0}));
}

TEST(FixedStores, IgnoreOutOfRangeOffsets) {
    std::uint8_t buf[3] = {};
    storeU16(buf, 1, 0xBEEF);
    EXPECT_EQ(loadU16(buf, 1), 0xBEEF);
    storeU16(buf, 2, 0x1111); // would spill over the end
    EXPECT_EQ(buf[2], 0xBE);
    EXPECT_EQ(loadU16(buf, 2), 0);
}

} // namespace
} // namespace kw
