#include "core/lighting/preview_family.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

struct FadeCase {
    std::uint8_t level;
    std::uint8_t normal;
    std::uint8_t steep;
};

TEST(PreviewFade, LowersEachBandByItsStep) {
    const FadeCase cases[] = {
        {255, 235, 225}, {128, 108, 98}, {127, 111, 107}, {64, 48, 44}, {63, 53, 53}, {32, 22, 22},
        {31, 26, 26},    {17, 12, 12},   {16, 15, 15},    {1, 0, 0},    {0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(normalFade(c.level), c.normal) << "level " << int(c.level);
        EXPECT_EQ(steepFade(c.level), c.steep) << "level " << int(c.level);
    }
}

RipplePlanes planesWithBit(std::size_t column, unsigned row) {
    RipplePlanes planes{};
    setBitInAllPlanes(planes, column, row);
    return planes;
}

// One bit in the middle of the grid: each plane moves it one row and takes
// in the whole column it travels from.
TEST(RipplePlanes, DiagonalAdvanceMovesEachPlaneItsOwnWay) {
    RipplePlanes planes = planesWithBit(5, 2);
    advanceDiagonally(planes);

    RipplePlane downLeft{}, downRight{}, upRight{}, upLeft{};
    downLeft[5] = 0x08;
    downLeft[4] = 0x04;
    downRight[5] = 0x08;
    downRight[6] = 0x04;
    upRight[5] = 0x02;
    upRight[6] = 0x04;
    upLeft[5] = 0x02;
    upLeft[4] = 0x04;
    EXPECT_EQ(planes[kDownLeft], downLeft);
    EXPECT_EQ(planes[kDownRight], downRight);
    EXPECT_EQ(planes[kUpRight], upRight);
    EXPECT_EQ(planes[kUpLeft], upLeft);
}

TEST(RipplePlanes, DiagonalAdvanceLosesWhatLeavesTheBytesAndTheGrid) {
    // Bit 7 of the first column and bit 0 of the last one.
    RipplePlanes planes{};
    setBitInAllPlanes(planes, 0, 7);
    setBitInAllPlanes(planes, kGridColumns - 1, 0);
    advanceDiagonally(planes);

    EXPECT_EQ(planes[kDownLeft][0], 0x00);                // pushed out of the byte
    EXPECT_EQ(planes[kDownLeft][kGridColumns - 2], 0x01); // copied leftwards
    EXPECT_EQ(planes[kDownLeft][kGridColumns - 1], 0x02); // nothing from column 23
    EXPECT_EQ(planes[kDownRight][1], 0x80);               // copied rightwards
    EXPECT_EQ(planes[kUpRight][0], 0x40);                 // nothing from column -1
    EXPECT_EQ(planes[kUpRight][kGridColumns - 1], 0x00);  // bit 0 pushed out
    EXPECT_EQ(planes[kUpLeft][kGridColumns - 1], 0x00);
    EXPECT_EQ(columnBits(planes, kGridColumns - 1), 0x02);
}

TEST(RipplePlanes, VerticalAdvanceStaysInItsColumn) {
    RipplePlanes planes{};
    setBitInAllPlanes(planes, 3, 0);
    setBitInAllPlanes(planes, 3, 7);
    setBitInAllPlanes(planes, 9, 4);
    advanceVertically(planes);

    for (RippleDirection d : {kDownLeft, kDownRight}) {
        RipplePlane expected{};
        expected[3] = 0x02;
        expected[9] = 0x20;
        EXPECT_EQ(planes[d], expected);
    }
    for (RippleDirection d : {kUpRight, kUpLeft}) {
        RipplePlane expected{};
        expected[3] = 0x40;
        expected[9] = 0x08;
        EXPECT_EQ(planes[d], expected);
    }
}

} // namespace
} // namespace kw
