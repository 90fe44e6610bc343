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

} // namespace
} // namespace kw
