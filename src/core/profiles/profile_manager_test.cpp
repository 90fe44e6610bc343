#include "core/base/ini_file.h"
#include "core/config/profile_file.h"
#include "core/profiles/profile_manager.h"
#include "core/sync/keyboard_refresh.h"
#include "core/sync/profile_switch.h"
#include "core/sync/sync_test_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <map>
#include <string>
#include <vector>

namespace kw {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

constexpr KeyCode kEscape = 0x01;

using StoredList = std::map<std::string, std::string>;

class ProfileManagerTest : public testing::SyncTest {
protected:
    ProfileManagerTest() { RefreshFromKeyboard(context); }

    int keyboardProfile() const { return link.keyboard.memory().info.activeProfile(); }

    KeyEntryType escapeType(int group) const {
        std::lock_guard guard(config.lock);
        return config.entry(group, KeyIndexOf(kEscape))->type;
    }

    void editEscape() {
        std::lock_guard guard(config.lock);
        config.entry(0, KeyIndexOf(kEscape))->type = KeyEntryType::KeyDisabled;
        modified.set();
    }

    // Makes Escape of profile 0 disabled in the keyboard's own memory.
    void disableEscapeOnTheKeyboard() {
        const KeyMatrix defaults = factoryMatrix();
        std::size_t slot = 0;
        while (slot < kMatrixSlots && slotKeyCode(defaults[slot]) != kEscape) {
            ++slot;
        }
        auto memory = link.keyboard.memory();
        std::fill_n(memory.keyTables[0].begin() + slot * 3, 3, std::uint8_t{0});
        link.keyboard.setMemory(memory);
    }

    // The "PROFILES" section of the settings store, key by key.
    StoredList storedList() const {
        const IniDocument doc = IniDocument::load(settings.file());
        StoredList list;
        for (const auto& key : doc.keys(kProfileListSection)) {
            list[key] = doc.value(kProfileListSection, key).value_or("");
        }
        return list;
    }

    std::string configPath() const { return context.configFile().string(); }

    ProfileManagerModel manager{context, settings};
};

TEST_F(ProfileManagerTest, OpenListsTheConfigurationFileForEachProfile) {
    struct Case {
        int cached;
        int active;
    } cases[] = {{kProfileUnknown, -1}, {0, 0}, {2, 2}, {3, -1}};
    for (const auto& c : cases) {
        keyboard.currentProfile = c.cached;
        link.keyboard.clearLog();
        manager.Load(dataHome / "left over.fwc");

        manager.Open();

        EXPECT_THAT(manager.rows(),
                    ElementsAre(context.configFile(), context.configFile(), context.configFile()));
        EXPECT_EQ(manager.activeRow(), c.active) << c.cached;
        EXPECT_FALSE(manager.unappliedChanges());
        EXPECT_TRUE(sent().empty()) << "the cached profile is shown, not read";
    }
    EXPECT_EQ(manager.rowText(0).name, context.configFile().stem().string());
    EXPECT_EQ(manager.rowText(0).folder, context.configFile().parent_path().string());
}

TEST_F(ProfileManagerTest, NewWritesADefaultProfileFile) {
    manager.Open();
    const auto file = dataHome / "new profile.fwc";

    ASSERT_EQ(manager.New(file), 1);

    EXPECT_EQ(std::filesystem::file_size(file), 32832u);
    EXPECT_EQ(ValidateProfileFile(file, prompter, language), kProfileValid);
    ConfigImage image;
    ASSERT_EQ(LoadConfigurationFile(image, file), 1);
    EXPECT_EQ(image.macroCount(), 0);
    EXPECT_EQ(manager.rowCount(), 4);
    EXPECT_EQ(manager.rows().back(), file);
    EXPECT_TRUE(manager.unappliedChanges());
}

TEST_F(ProfileManagerTest, NewIntoAReadOnlyFolderAddsNothing) {
    const auto folder = dataHome / "read-only";
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    if (std::ofstream(folder / "probe")) {
        std::filesystem::remove(folder / "probe");
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        GTEST_SKIP() << "running with rights that ignore folder modes";
    }
    manager.Open();

    EXPECT_EQ(manager.New(folder / "new.fwc"), 0);

    EXPECT_EQ(manager.rowCount(), 3);
    EXPECT_FALSE(manager.unappliedChanges());
    EXPECT_TRUE(std::filesystem::is_empty(folder)); // not even a temporary file
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
}

TEST_F(ProfileManagerTest, LoadListsAnyFileUnchecked) {
    const auto file = dataHome / "备份" / "notes 1.fwc";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("not a profile")));
    manager.Open();

    manager.Load(file);

    EXPECT_EQ(manager.rowCount(), 4);
    EXPECT_EQ(manager.rowText(3).name, "notes 1");
    EXPECT_EQ(manager.rowText(3).folder, (dataHome / "备份").string());
    EXPECT_TRUE(manager.unappliedChanges());
    EXPECT_TRUE(prompter.messages.empty());
}

// Rows 3 and 4 are a valid profile file that differs from the keyboard and a
// file that is no profile file; neither is ever loaded.
TEST_F(ProfileManagerTest, ApplySwitchesTheKeyboardOnlyToAMarkedProfileRow) {
    ConfigImage other;
    other.createDefaultBlock();
    other.entry(0, KeyIndexOf(kEscape))->type = KeyEntryType::KeyDisabled;
    other.macros.resize(2);
    const auto valid = dataHome / "other.fwc";
    ASSERT_EQ(WriteProfileFile(other, valid), 1);
    const auto invalid = dataHome / "garbage.fwc";
    ASSERT_TRUE(writeFileAtomically(invalid, std::string_view("garbage")));

    struct Case {
        int marked;
        int profile; // the keyboard's afterwards; it starts at 1
    } cases[] = {{2, 2}, {0, 0}, {-1, 1}, {3, 1}, {4, 1}};
    for (const auto& c : cases) {
        ASSERT_EQ(SetActiveProfile(link.transport, keyboard, 1), 1);
        manager.Open();
        manager.Load(valid);
        manager.Load(invalid);
        manager.MarkActive(c.marked);
        link.keyboard.clearLog();

        EXPECT_EQ(manager.Apply(), 1) << c.marked;

        EXPECT_EQ(keyboardProfile(), c.profile) << c.marked;
        EXPECT_EQ(keyboard.currentProfile, c.profile) << c.marked;
        if (c.profile == 1) {
            EXPECT_THAT(commands(), Not(Contains(kCmdWriteDeviceInfo))) << c.marked;
        }
        EXPECT_THAT(commands(), Not(Contains(kCmdWriteKeyMatrix))) << c.marked;
        EXPECT_EQ(escapeType(0), KeyEntryType::KeyDefault) << c.marked;
        EXPECT_EQ(config.macroCount(), 0) << c.marked;
        EXPECT_FALSE(manager.unappliedChanges());
    }
    EXPECT_TRUE(prompter.questions.empty());
}

TEST_F(ProfileManagerTest, ApplyRereadsTheConfigurationFromTheKeyboard) {
    manager.Open();
    manager.MarkActive(1);
    disableEscapeOnTheKeyboard();
    const int redrawsBefore = keyRedraws;

    EXPECT_EQ(manager.Apply(), 1);

    EXPECT_EQ(escapeType(0), KeyEntryType::KeyDisabled);
    EXPECT_GT(keyRedraws, redrawsBefore);
    EXPECT_FALSE(manager.unappliedChanges());
    EXPECT_FALSE(modified.isSet());
}

TEST_F(ProfileManagerTest, TheStoredListNamesExactlyTheRows) {
    const auto made = dataHome / "made.fwc";
    const auto loaded = dataHome / "loaded.fwc";
    manager.Open();
    ASSERT_EQ(manager.New(made), 1);
    manager.Load(loaded);

    manager.Apply();

    EXPECT_EQ(storedList(), (StoredList{{"PROFILE00", "5"},
                                        {"PROFILE01", configPath()},
                                        {"PROFILE02", configPath()},
                                        {"PROFILE03", configPath()},
                                        {"PROFILE04", made.string()},
                                        {"PROFILE05", loaded.string()}}));

    // A shorter list leaves nothing of the longer one behind.
    manager.Delete(3);
    manager.Delete(0);
    manager.Apply();

    EXPECT_EQ(storedList(), (StoredList{{"PROFILE00", "3"},
                                        {"PROFILE01", configPath()},
                                        {"PROFILE02", configPath()},
                                        {"PROFILE03", loaded.string()}}));
}

TEST_F(ProfileManagerTest, AnUnreadableKeyboardStillGetsTheListWritten) {
    manager.Open();
    link.keyboard.unplug();

    EXPECT_EQ(manager.Apply(), 0);

    EXPECT_EQ(storedList().at("PROFILE00"), "3");
    EXPECT_FALSE(manager.unappliedChanges());
    EXPECT_FALSE(modified.isSet());
}

TEST_F(ProfileManagerTest, ApplyAsksAboutTheWindowsUnappliedEdits) {
    struct Case {
        bool yes;
        KeyEntryType escape; // in the image and on the keyboard afterwards
    } cases[] = {{true, KeyEntryType::KeyDisabled}, {false, KeyEntryType::KeyDefault}};
    for (const auto& c : cases) {
        link.keyboard.setMemory(sim::KeyboardMemory::factory());
        manager.Open();
        editEscape();
        prompter.answers = {c.yes};
        prompter.questions.clear();
        link.keyboard.clearLog();

        EXPECT_EQ(manager.Apply(), 1);

        EXPECT_THAT(prompter.questions, ElementsAre("PROFILE_SELECT_PROMPT")) << c.yes;
        EXPECT_EQ(escapeType(0), c.escape) << c.yes;
        if (!c.yes) {
            EXPECT_THAT(commands(), Not(Contains(kCmdWriteKeyMatrix)));
        }
        EXPECT_FALSE(modified.isSet());
        EXPECT_FALSE(manager.unappliedChanges());
    }
}

TEST_F(ProfileManagerTest, AFailedApplyOfTheWindowsEditsKeepsEverything) {
    manager.Open();
    manager.MarkActive(2);
    editEscape();
    prompter.answers = {true};
    link.keyboard.unplug();

    EXPECT_EQ(manager.Apply(), 0);

    EXPECT_EQ(escapeType(0), KeyEntryType::KeyDisabled);
    EXPECT_TRUE(modified.isSet());
    EXPECT_TRUE(manager.unappliedChanges());
    EXPECT_TRUE(storedList().empty());
}

TEST_F(ProfileManagerTest, CancelChangesNothing) {
    manager.Open();
    manager.Load(dataHome / "loaded.fwc");
    manager.MarkActive(2);
    link.keyboard.clearLog();

    manager.Cancel();

    EXPECT_FALSE(manager.unappliedChanges());
    EXPECT_FALSE(std::filesystem::exists(settings.file()));
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(keyboardProfile(), 0);
}

// Rows: the configuration file three times, then a.fwc and b.fwc; row 0 is
// marked and nothing is left to apply when the steps start.
TEST_F(ProfileManagerTest, TheActiveMarkFollowsItsRow) {
    enum Kind { Mark, Delete, Selected };
    struct Step {
        Kind kind;
        int row;
    };
    const auto a = dataHome / "a.fwc";
    const auto b = dataHome / "b.fwc";
    const auto cfg = context.configFile();
    struct Case {
        const char* name;
        std::vector<Step> steps;
        int active;
        std::filesystem::path activeFile; // empty when none is marked
        int rows;
        bool unapplied;
    } cases[] = {
        {"mark a loaded row", {{Mark, 4}}, 4, b, 5, true},
        {"mark none", {{Mark, -1}}, -1, {}, 5, true},
        {"mark the marked row", {{Mark, 0}}, 0, cfg, 5, false},
        {"mark a row that is not there", {{Mark, 5}}, 0, cfg, 5, false},
        {"delete above the mark", {{Mark, 4}, {Delete, 3}}, 3, b, 4, true},
        {"delete below the mark", {{Mark, 3}, {Delete, 4}}, 3, a, 4, true},
        {"delete the marked row", {{Mark, 3}, {Delete, 3}}, -1, {}, 4, true},
        {"delete a row that is not there", {{Delete, 5}, {Delete, -1}}, 0, cfg, 5, false},
        {"the keyboard switched", {{Mark, 4}, {Selected, 2}}, 2, cfg, 5, false},
        {"switched to a deleted row",
         {{Delete, 1}, {Delete, 1}, {Delete, 1}, {Delete, 1}, {Selected, 2}},
         -1,
         {},
         1,
         false},
    };
    for (const auto& c : cases) {
        manager.Open();
        manager.Load(a);
        manager.Load(b);
        manager.Cancel();
        for (const Step& step : c.steps) {
            switch (step.kind) {
            case Mark:
                manager.MarkActive(step.row);
                break;
            case Delete:
                manager.Delete(step.row);
                break;
            case Selected:
                manager.ProfileSelected(step.row);
                break;
            }
        }
        EXPECT_EQ(manager.activeRow(), c.active) << c.name;
        if (c.active >= 0) {
            EXPECT_EQ(manager.rows().at(static_cast<std::size_t>(c.active)), c.activeFile)
                << c.name;
        }
        EXPECT_EQ(manager.rowCount(), c.rows) << c.name;
        EXPECT_EQ(manager.unappliedChanges(), c.unapplied) << c.name;
    }
}

} // namespace
} // namespace kw
