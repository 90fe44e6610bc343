#include "core/keys/key_buttons.h"
#include "core/lighting/preview_tables.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <numeric>
#include <set>

namespace kw {
namespace {

struct WheelCase {
    std::size_t index;
    Rgb colour;
};

// The corners of the six segments and the last step into each of them.
TEST(ColourWheel, RunsThroughTheSixCorners) {
    const WheelCase cases[] = {
        {0, {255, 1, 0}},   {31, {255, 255, 0}},  {32, {248, 255, 0}},  {63, {0, 255, 0}},
        {64, {0, 255, 1}},  {95, {0, 255, 255}},  {96, {0, 248, 255}},  {127, {0, 0, 255}},
        {128, {1, 0, 255}}, {159, {255, 0, 255}}, {160, {255, 0, 248}}, {191, {255, 0, 0}},
        {9, {255, 32, 0}},  {41, {134, 255, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColourWheel[c.index], c.colour) << "entry " << c.index;
    }
}

TEST(ColourWheel, EntriesPastTheWheelRepeatItsStart) {
    for (std::size_t i = 192; i < ColourWheel.size(); ++i) {
        EXPECT_EQ(ColourWheel[i], ColourWheel[i - 192]) << "entry " << i;
    }
}

TEST(PreviewRamps, HaveTheirShapes) {
    // Ramp96 and BreathRamp128 rise and fall through the same values.
    EXPECT_THAT(std::vector<int>(Ramp96.begin(), Ramp96.begin() + 3),
                testing::ElementsAre(22, 24, 27));
    EXPECT_EQ(Ramp96[47], 255);
    EXPECT_EQ(Ramp96[48], 255);
    EXPECT_TRUE(std::equal(Ramp96.begin(), Ramp96.end(), Ramp96.rbegin()));
    EXPECT_THAT(std::vector<int>(BreathRamp128.begin(), BreathRamp128.begin() + 4),
                testing::ElementsAre(3, 3, 4, 5));
    EXPECT_EQ(BreathRamp128[63], 255);
    EXPECT_TRUE(std::equal(BreathRamp128.begin(), BreathRamp128.end(), BreathRamp128.rbegin()));

    // The pulse peaks early, decays, and stays dark for its last 48 levels.
    EXPECT_EQ(PulseRamp128[0], 0);
    EXPECT_EQ(PulseRamp128[16], 255);
    EXPECT_EQ(PulseRamp128[17], 248);
    EXPECT_EQ(PulseRamp128[78], 2);
    EXPECT_EQ(PulseRamp128[79], 1);
    EXPECT_TRUE(std::all_of(PulseRamp128.begin() + 80, PulseRamp128.end(),
                            [](std::uint8_t level) { return level == 0; }));
}

TEST(TwinkleOrder, PicksEveryChainKeyBelow104OnceThenKeyZero) {
    std::vector<int> first(TwinkleOrder.begin(), TwinkleOrder.begin() + 104);
    std::sort(first.begin(), first.end());
    std::vector<int> expected(104);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(first, expected);
    EXPECT_TRUE(std::all_of(TwinkleOrder.begin() + 104, TwinkleOrder.end(),
                            [](std::uint8_t k) { return k == 0; }));
}

// The chain must name real key buttons, or the preview colours nothing there.
TEST(KeyChain, HoldsEveryKeyButtonButRightWinAndG6ToG9) {
    std::set<int> buttons;
    for (const KeyButton& button : KeyButtonTable()) {
        buttons.insert(button.controlId);
    }
    for (int id : GKeyButtonTable()) {
        buttons.insert(id);
    }
    buttons.insert(kFnButton);
    for (int id : {1087, 1140, 1141, 1142, 1143}) {
        EXPECT_EQ(keyChainIndexOf(id), kNoChainIndex) << id;
        buttons.erase(id);
    }
    EXPECT_EQ(std::set<int>(KeyChain.begin(), KeyChain.end()), buttons);
}

TEST(KeyChain, IndexesOfTheTablesPointBackAtTheirIds) {
    for (std::size_t c = 0; c < kGridColumns; ++c) {
        for (std::size_t r = 0; r < kGridRows; ++r) {
            const std::uint8_t k = KeyGridIndexes[c][r];
            if (KeyGrid[c][r] == kNoKeyId) {
                EXPECT_EQ(k, kNoChainIndex);
            } else {
                EXPECT_EQ(KeyChain[k], KeyGrid[c][r]) << "column " << c << " row " << r;
            }
        }
    }
    EXPECT_EQ(KeyChain[RingIndexes[0][0]], 1052);
    EXPECT_EQ(RingIndexes[0][1], kNoChainIndex);
    EXPECT_EQ(KeyChain[SweepRowIndexes[19][1]], 1080);
    EXPECT_EQ(SweepRowIndexes[19][2], kNoChainIndex);
}

} // namespace
} // namespace kw
