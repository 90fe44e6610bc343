#include "core/mainwnd/profile_buttons.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw {
namespace {

// Records the steps in order so a test sees what ran and what did not.
struct RecordedSteps {
    int active = 0;
    int switchResult = 1;
    std::vector<std::string> log;

    ProfileButtonSteps steps() {
        return {
            [this](int n) { log.push_back("lighting " + std::to_string(n)); },
            [this] { return active; },
            [this](int n) {
                log.push_back("select " + std::to_string(n));
                return switchResult;
            },
            [this](int n) { log.push_back("mark " + std::to_string(n)); },
            [this](int n) { log.push_back("lighting profile " + std::to_string(n)); },
        };
    }
};

TEST(ProfileButtonsTest, ClickRunsItsStepsInOrderAndStopsWhereItShould) {
    struct Case {
        const char* name;
        int active, switchResult, clicked, result;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"switch", 0, 1, 2, 1, {"lighting 2", "select 2", "mark 2"}},
        {"already active", 1, 1, 1, 0, {"lighting 1"}},
        {"refused", 0, 0, 2, 0, {"lighting 2", "select 2"}},
        {"unknown active profile", -1, 1, 0, 1, {"lighting 0", "select 0", "mark 0"}},
        {"out of range", 0, 1, 3, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedSteps recorded{c.active, c.switchResult, {}};
        EXPECT_EQ(SelectProfileButton(c.clicked, recorded.steps()), c.result);
        EXPECT_EQ(recorded.log, c.log);
    }
}

TEST(ProfileButtonsTest, MarksFollowTheKeyboardOnlyWhenItAnswers) {
    RecordedSteps known{2, 1, {}};
    EXPECT_EQ(MarkProfileButtons(known.steps()), 2);
    EXPECT_EQ(known.log, (std::vector<std::string>{"mark 2", "lighting profile 2"}));

    RecordedSteps unknown{-1, 1, {}};
    EXPECT_EQ(MarkProfileButtons(unknown.steps()), -1);
    EXPECT_TRUE(unknown.log.empty());
}

} // namespace
} // namespace kw
