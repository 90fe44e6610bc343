#include "core/sync/apply_pipeline.h"
#include "core/sync/keyboard_refresh.h"
#include "core/sync/profile_switch.h"
#include "core/sync/sync_test_fixture.h"

#include <gmock/gmock.h>

namespace kw {
namespace {

using ::testing::ElementsAre;

constexpr KeyCode kEscape = 0x01;

class ProfileSwitchTest : public testing::SyncTest {
protected:
    ProfileSwitchTest() { RefreshFromKeyboard(context); }

    int keyboardProfile() const { return link.keyboard.memory().info.activeProfile(); }

    void editEscape(int group) {
        std::lock_guard guard(config.lock);
        config.entry(group, KeyIndexOf(kEscape))->type = KeyEntryType::KeyDisabled;
        modified.set();
    }

    // Key-table offsets the keyboard received, one per table.
    std::vector<std::uint16_t> tablesWritten() const {
        std::vector<std::uint16_t> starts;
        for (const auto& r : sent()) {
            if (r.command == kCmdWriteKeyMatrix && r.offset % 0x200 == 0) {
                starts.push_back(r.offset);
            }
        }
        return starts;
    }

    bool editorOpen = false;
    std::vector<int> managerMarks;
    ProfileSwitcher switcher{context,
                             {[this] { return editorOpen; }, nullptr,
                              [this](int p) { managerMarks.push_back(p); },
                              [this] { ApplyConfiguration(context, nullptr); }}};
};

TEST_F(ProfileSwitchTest, SwitchesTheKeyboardAndTheView) {
    struct Case {
        int index;
        int active;
    } cases[] = {{1, 1}, {2, 2}, {3, 0}, {7, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(switcher.SelectProfile(c.index), 1);
        EXPECT_EQ(keyboardProfile(), c.active) << c.index;
        EXPECT_EQ(keyboard.currentProfile, c.active);
    }
    EXPECT_THAT(managerMarks, ElementsAre(1, 2, 0, 0));
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_EQ(keyRedraws, 1 + 4);
}

TEST_F(ProfileSwitchTest, RefusedWhileTheKeyEditorIsOpen) {
    editorOpen = true;
    link.keyboard.clearLog();
    EXPECT_EQ(switcher.SelectProfile(1), 0);
    EXPECT_THAT(prompter.messages, ElementsAre("PROFILE_SEELCT_PROMPT2"));
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(keyboard.currentProfile, 0);
}

TEST_F(ProfileSwitchTest, YesAppliesTheActiveProfileFirst) {
    editEscape(0);
    prompter.answers = {true};
    link.keyboard.clearLog();

    EXPECT_EQ(switcher.SelectProfile(2), 1);

    EXPECT_THAT(prompter.questions, ElementsAre("PROFILE_SELECT_PROMPT"));
    EXPECT_THAT(tablesWritten(), ElementsAre(0x0000)); // only the profile that was active
    EXPECT_EQ(commands().back(), kCmdWriteDeviceInfo);
    const sim::KeyboardMemory memory = link.keyboard.memory();
    const auto& table = memory.keyTables[0];
    EXPECT_NE(table, link.keyboard.memory().defaultMatrix); // the edit reached the keyboard
    EXPECT_EQ(keyboardProfile(), 2);
    EXPECT_FALSE(modified.isSet());
    EXPECT_TRUE(managerMarks.empty());
}

TEST_F(ProfileSwitchTest, NoDiscardsTheEditsByReloadingTheFile) {
    editEscape(0);
    prompter.answers = {false};
    link.keyboard.clearLog();

    EXPECT_EQ(switcher.SelectProfile(1), 1);

    EXPECT_THAT(prompter.questions, ElementsAre("PROFILE_SELECT_PROMPT"));
    EXPECT_TRUE(tablesWritten().empty());
    EXPECT_EQ(config.entry(0, KeyIndexOf(kEscape))->type, KeyEntryType::KeyDefault);
    EXPECT_EQ(keyboardProfile(), 1);
    EXPECT_FALSE(modified.isSet());
}

TEST_F(ProfileSwitchTest, FailedWritesLeaveTheProfileUnknown) {
    // The information read fails: nothing changes.
    link.keyboard.dropAnswers(2);
    EXPECT_EQ(SetActiveProfile(link.transport, keyboard, 1), 0);
    EXPECT_EQ(keyboard.currentProfile, 0);
    EXPECT_EQ(keyboardProfile(), 0);

    // The write is refused: the cached profile is forgotten.
    link.keyboard.answerStatus(2, kStatusFailed);
    EXPECT_EQ(SetActiveProfile(link.transport, keyboard, 1), 0);
    EXPECT_EQ(keyboard.currentProfile, kProfileUnknown);

    // Values the keyboard has no profile for are not sent.
    link.keyboard.clearLog();
    EXPECT_EQ(SetActiveProfile(link.transport, keyboard, 3), 0);
    EXPECT_EQ(SetActiveProfile(link.transport, keyboard, -1), 0);
    EXPECT_TRUE(sent().empty());
}

} // namespace
} // namespace kw
