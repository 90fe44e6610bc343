#include "core/skin/control_order.h"

#include <gtest/gtest.h>

namespace kw::skin {
namespace {

// A tiny keyboard: two staggered rows, a tall key on the right, a wide bar below.
//   Q W E   +
//    A S D  +
//   [space ]
const std::vector<SkinRect> kKeys = {
    {0, 0, 10, 10},   // 0 Q
    {10, 0, 10, 10},  // 1 W
    {20, 0, 10, 10},  // 2 E
    {3, 10, 10, 10},  // 3 A
    {13, 10, 10, 10}, // 4 S
    {23, 10, 10, 10}, // 5 D
    {40, 0, 10, 20},  // 6 + (two rows high)
    {0, 20, 30, 10},  // 7 space
    {12, 30, 0, 0},   // 8 an unplaced key
};

TEST(NeighbourInDirection, MovesByPositionOnTheDrawnKeyboard) {
    struct Case {
        std::size_t from;
        Direction direction;
        int expected;
    };
    const Case cases[] = {
        {0, Direction::Right, 1},  // along the row
        {2, Direction::Right, 6},  // onto the tall key, which shares the row
        {6, Direction::Right, -1}, // the end of the row
        {6, Direction::Left, 5},   // back to the nearer of the two rows it spans
        {0, Direction::Left, -1},  {1, Direction::Down, 4}, // the key below that is nearest in x
        {4, Direction::Down, 7},                            // the wide bar, not a key further down
        {7, Direction::Up, 4},                              // from the bar's middle
        {3, Direction::Up, 0},                              // staggered: Q is nearer than W
        {0, Direction::Up, -1},                             // the top row
        {7, Direction::Down, -1},                           // the unplaced key is never chosen
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NeighbourInDirection(kKeys, c.from, c.direction), c.expected)
            << "from " << c.from << " direction " << static_cast<int>(c.direction);
    }
    EXPECT_EQ(NeighbourInDirection(kKeys, kKeys.size(), Direction::Up), -1);
}

TEST(ReadingOrder, VisitsEachRegionWholeBeforeTheNext) {
    const std::vector<SkinRect> controls = {
        {300, 380, 80, 20}, // 0 right card, first row
        {10, 10, 30, 20},   // 1 title bar, left
        {200, 10, 30, 20},  // 2 title bar, right
        {20, 420, 60, 20},  // 3 left card, second row
        {100, 100, 40, 40}, // 4 the keyboard
        {20, 380, 60, 20},  // 5 left card, first row
        {90, 380, 60, 20},  // 6 left card, first row, right
        {300, 430, 80, 20}, // 7 right card, second row
    };
    // The right card's first row lines up with the left card's, yet the left
    // card is finished first.
    EXPECT_EQ(ReadingOrder(controls), (std::vector<std::size_t>{1, 2, 4, 5, 6, 3, 0, 7}));
}

TEST(ReadingOrder, AWideGapInsideOneRowDoesNotSplitTheWindowIntoColumns) {
    const std::vector<SkinRect> controls = {
        {850, 12, 28, 28}, // 0 title bar, far right
        {101, 60, 30, 26}, // 1 the strip below it, left
        {20, 12, 150, 28}, // 2 title bar, left
        {46, 110, 40, 22}, // 3 the keyboard
        {372, 12, 84, 28}, // 4 title bar, middle
    };
    EXPECT_EQ(ReadingOrder(controls), (std::vector<std::size_t>{2, 4, 0, 1, 3}));
}

TEST(ReadingOrder, OverlappingControlsFallBackToRowsThenColumns) {
    const std::vector<SkinRect> controls = {{10, 10, 50, 50}, {0, 0, 20, 20}, {30, 0, 40, 20}};
    EXPECT_EQ(ReadingOrder(controls), (std::vector<std::size_t>{1, 2, 0}));
    EXPECT_TRUE(ReadingOrder({}).empty());
}

} // namespace
} // namespace kw::skin
