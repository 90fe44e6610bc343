#include "core/lighting/effect_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(EffectSlotTable, GapsInTheKeyboardsListLeaveNoEmptyRows) {
    DeviceInfo info;
    auto slots = info.effectSlots();
    slots[2] = 7;
    slots[5] = 20;
    slots[6] = 3;
    slots[31] = 7; // listed twice: the first row counts
    const auto list = EffectList::fromDeviceInfo(info);
    const EffectSlotTable table(list);

    EXPECT_THAT(table.codes(), ::testing::ElementsAre(7, 20, 3, 7));
    EXPECT_EQ(table.rowOfCode(20), 1);
    EXPECT_EQ(table.rowOfCode(7), 0);
    EXPECT_EQ(table.rowOfCode(1), -1);
    EXPECT_EQ(table.rowOfCode(0), -1) << "an empty slot is no effect";
    EXPECT_EQ(table.codeOfRow(2), 3);
    EXPECT_EQ(table.codeOfRow(4), 0);
    EXPECT_EQ(table.codeOfRow(-1), 0);
    EXPECT_TRUE(list.offers(20));
    EXPECT_FALSE(list.offers(0));
    EXPECT_FALSE(list.offers(1));
}

} // namespace
} // namespace kw
