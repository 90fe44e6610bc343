#include "core/lighting/lighting_controls.h"
#include "core/lighting/lighting_state.h"
#include "core/lighting/picture_meaning.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(MeaningOfPicture, ReadsTheWordAndTheStateFromEveryPictureTheControlsShow) {
    struct Case {
        std::string_view picture;
        PictureMeaning meaning;
    };
    const Case cases[] = {
        // "up" and "down" are both a direction and a state.
        {"updown.bmp", {"ACCESS_UP", true}},
        {"upup.bmp", {"ACCESS_UP", false}},
        {"downdown.bmp", {"ACCESS_DOWN", true}},
        {"downup.bmp", {"ACCESS_DOWN", false}},
        {"leftdown.bmp", {"ACCESS_LEFT", true}},
        {"rightup.bmp", {"ACCESS_RIGHT", false}},
        {"kuosan.bmp", {"ACCESS_SPREAD", false}},
        {"julongdown.bmp", {"ACCESS_GATHER", true}},
        {"lvok.bmp", {"COLOUR_GREEN", true}},
        {"lan.bmp", {"COLOUR_BLUE", false}},
        {"sjsdown.bmp", {"", true}},
        {"dengup.bmp", {"", false}},
        {"user2down.bmp", {"", true}},
        {"", {}},
        {"left.jpg", {}},
        {"leftsideways.bmp", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MeaningOfPicture(c.picture), c.meaning) << c.picture;
    }
}

TEST(MeaningOfPicture, KnowsTheOnStateOfEveryDirectionPair) {
    for (std::uint8_t effect : {0, 12, 18}) {
        for (std::uint8_t direction : {kDirectionFirst, kDirectionSecond}) {
            const DirectionPictures p = DirectionPicturesFor(effect, direction);
            EXPECT_EQ(MeaningOfPicture(p.first).on, direction == kDirectionFirst);
            EXPECT_EQ(MeaningOfPicture(p.second).on, direction == kDirectionSecond);
            EXPECT_FALSE(MeaningOfPicture(p.first).wordKey.empty());
        }
    }
}

} // namespace
} // namespace kw
