#include "core/keys/key_buttons.h"
#include "core/lighting/key_colour_index.h"

#include <gtest/gtest.h>
#include <set>

namespace kw {
namespace {

TEST(KeyColourIndex, EveryLitKeyHasALightOfItsOwn) {
    std::set<int> seen;
    for (const auto& button : KeyButtonTable()) {
        const int index = ColourIndexOfButton(button.controlId);
        ASSERT_GE(index, 0) << button.label << " is missing from the index table";
        if (HasLight(index)) {
            EXPECT_TRUE(seen.insert(index).second) << button.label << " shares light " << index;
        }
    }
    for (int button : LitButtons()) {
        EXPECT_TRUE(HasLight(ColourIndexOfButton(button))) << button;
    }
    EXPECT_EQ(LitButtons().size(), seen.size() + 6) << "the lit key buttons, G1..G5 and Fn";
}

TEST(KeyColourIndex, FixedLightsOfTheGKeysFnAndTheRightWindowsKey) {
    struct Case {
        int controlId;
        int index;
    };
    const Case cases[] = {{1000, 74},
                          {1004, 96},
                          {1140, kNoLightIndex},
                          {1143, kNoLightIndex},
                          {1174, 111},
                          {1087, 199},
                          {1022, 0},
                          {1070, 73},
                          {1, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(ColourIndexOfButton(c.controlId), c.index) << c.controlId;
    }
}

} // namespace
} // namespace kw
