#include "core/sync/modified_flag.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <vector>

namespace kw {
namespace {

using ::testing::ElementsAre;

TEST(ModifiedFlag, ListenersHearEachChangeOnce) {
    ModifiedFlag flag;
    std::vector<bool> heard;
    const int id = flag.subscribe([&](bool value) { heard.push_back(value); });

    flag.set();
    flag.set();
    flag.clear();
    flag.clear();
    flag.unsubscribe(id);
    flag.set();

    EXPECT_THAT(heard, ElementsAre(true, false));
    EXPECT_TRUE(flag.isSet());
}

TEST(ModifiedFlag, AListenerMayReadAndChangeTheFlag) {
    ModifiedFlag flag;
    std::vector<bool> seen;
    // An Apply button that clears the flag as soon as it is set, reading it back.
    flag.subscribe([&](bool value) {
        seen.push_back(flag.isSet());
        if (value) {
            flag.clear();
        }
    });

    flag.set();

    EXPECT_THAT(seen, ElementsAre(true, false));
    EXPECT_FALSE(flag.isSet());
}

TEST(ModifiedFlag, RestorePutsBackBothHalvesAndTellsOnlyAChangeOfTheValue) {
    struct Case {
        bool startAllProfiles;
        bool modified;
        bool allProfiles;
        bool expectAllProfiles;
    };
    // The "all profiles" half only exists while the flag is set.
    for (const Case c : {Case{false, true, true, true}, Case{true, true, false, false},
                         Case{true, false, true, false}, Case{false, false, false, false}}) {
        ModifiedFlag flag;
        c.startAllProfiles ? flag.setAllProfiles() : flag.set();
        std::vector<bool> heard;
        flag.subscribe([&](bool value) { heard.push_back(value); });

        flag.restore(c.modified, c.allProfiles);

        EXPECT_EQ(flag.isSet(), c.modified);
        EXPECT_EQ(flag.allProfiles(), c.expectAllProfiles);
        EXPECT_EQ(heard, c.modified ? std::vector<bool>{} : std::vector<bool>{false});
        // A later clear still drops the half it restored.
        flag.clear();
        flag.set();
        EXPECT_FALSE(flag.allProfiles());
    }
}

} // namespace
} // namespace kw
