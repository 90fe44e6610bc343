#include "core/skin/mask_region.h"

#include <gtest/gtest.h>
#include <vector>

namespace kw::skin {
namespace {

constexpr std::uint32_t W = 0xFFFFFF; // transparent
constexpr std::uint32_t K = 0x000000;

std::vector<RegionRect> regionOf(int width, const std::vector<std::uint32_t>& pixels,
                                 std::uint8_t tolerance = 0) {
    const int height = static_cast<int>(pixels.size()) / width;
    return regionFromMask({width, height, pixels}, 0xFFFFFF, tolerance);
}

TEST(MaskRegion, RunsOfOpaquePixelsBecomeOneLineRectangles) {
    // clang-format off
    const std::vector<std::uint32_t> pixels = {
        W, K, K, W, K,
        K, K, K, K, K,
        W, W, W, W, W,
    };
    // clang-format on
    const std::vector<RegionRect> expected = {{1, 0, 2, 1}, {4, 0, 1, 1}, {0, 1, 5, 1}};
    EXPECT_EQ(regionOf(5, pixels), expected);
}

TEST(MaskRegion, AllWhiteOrEmptyMaskGivesNoRegion) {
    EXPECT_TRUE(regionOf(3, {W, W, W, W, W, W}).empty());
    EXPECT_TRUE(regionFromMask({0, 0, {}}).empty());
}

TEST(MaskRegion, TopByteOfAPixelIsIgnored) {
    EXPECT_TRUE(regionOf(2, {0xFF000000 | W, 0x12000000 | W}).empty());
}

TEST(MaskRegion, ToleranceWidensTheTransparentBandUpwardsOnly) {
    const std::vector<RegionRect> none;
    const std::vector<std::uint32_t> nearBlack = {0x030303, 0x040404, 0x000000};
    const auto blackRegion = [&](std::uint8_t tolerance) {
        return regionFromMask({3, 1, nearBlack}, 0x000000, tolerance);
    };
    EXPECT_EQ(blackRegion(0), (std::vector<RegionRect>{{0, 0, 2, 1}}));
    EXPECT_EQ(blackRegion(3), (std::vector<RegionRect>{{1, 0, 1, 1}}));
    EXPECT_EQ(blackRegion(4), none);
}

TEST(MaskRegion, ToleranceIsCappedAtFullChannel) {
    // 0xF0 + 0x20 would pass 255: the band stops at 255 and still holds white.
    EXPECT_TRUE(regionFromMask({1, 1, std::vector<std::uint32_t>{W}}, 0xF0F0F0, 0x20).empty());
}

TEST(MaskRegion, ReadsOnlyTheRowsTheBufferHolds) {
    const std::vector<std::uint32_t> oneAndAHalfRows = {K, K, K, K};
    const auto rects = regionFromMask({3, 10, oneAndAHalfRows});
    EXPECT_EQ(rects, (std::vector<RegionRect>{{0, 0, 3, 1}}));
}

} // namespace
} // namespace kw::skin
