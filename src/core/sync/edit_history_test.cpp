#include "core/config/config_block.h"
#include "core/config/profile_file.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/edit_history.h"
#include "core/sync/keyboard_refresh.h"
#include "core/sync/profile_switch.h"
#include "core/sync/profile_transfer.h"
#include "core/sync/sync_test_fixture.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace kw {
namespace {

using ::testing::ElementsAre;

constexpr int kKeyA = 0x1E;
constexpr int kKeyC = 0x2E;
constexpr KeyCode kCodeB = 0x30;
constexpr KeyCode kCodeD = 0x20;

class EditHistoryTest : public ::testing::Test {
protected:
    EditHistoryTest() {
        image.createDefaultBlock();
        history.Clear();
        history.subscribe(
            [this](bool canUndo, bool canRedo) { heard.emplace_back(canUndo, canRedo); });
    }

    // What a key editor commit does: the entry, the flag, the step.
    int assign(int keyIndex, KeyCode code, bool macrosMoved = false) {
        {
            std::lock_guard guard(image.lock);
            *image.entry(0, keyIndex) = {KeyEntryType::KeySingle, 0, code};
        }
        macrosMoved ? modified.setAllProfiles() : modified.set();
        return history.Record();
    }

    KeyEntry entry(int keyIndex) const { return *image.entry(0, keyIndex); }

    ConfigImage image;
    ModifiedFlag modified;
    EditHistory history{image, modified, 3};
    std::vector<std::pair<bool, bool>> heard; // canUndo, canRedo
};

TEST_F(EditHistoryTest, UndoAndRedoWalkTheStepsWithTheModifiedFlag) {
    const ConfigBlock applied = *image.block;
    ASSERT_EQ(assign(kKeyA, kCodeB), 1);
    ASSERT_EQ(assign(kKeyC, kCodeD), 1);

    EXPECT_EQ(history.Undo(), 1);
    EXPECT_EQ(entry(kKeyA).value, kCodeB);
    EXPECT_EQ(entry(kKeyC).type, KeyEntryType::KeyDefault);
    EXPECT_TRUE(modified.isSet());

    EXPECT_EQ(history.Undo(), 1);
    EXPECT_EQ(*image.block, applied);
    EXPECT_FALSE(modified.isSet());
    EXPECT_EQ(history.Undo(), 0);

    EXPECT_EQ(history.Redo(), 1);
    EXPECT_EQ(entry(kKeyA).value, kCodeB);
    EXPECT_EQ(entry(kKeyC).type, KeyEntryType::KeyDefault);
    EXPECT_TRUE(modified.isSet());

    EXPECT_THAT(heard,
                ElementsAre(std::pair{true, false}, std::pair{true, false}, std::pair{true, true},
                            std::pair{false, true}, std::pair{true, true}));
}

TEST_F(EditHistoryTest, ANewStepDropsWhatCouldBeRedone) {
    assign(kKeyA, kCodeB);
    history.Undo();
    ASSERT_TRUE(history.CanRedo());

    assign(kKeyC, kCodeD);

    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Redo(), 0);
    history.Undo();
    EXPECT_EQ(entry(kKeyA).type, KeyEntryType::KeyDefault);
}

TEST_F(EditHistoryTest, OnlyTheNewestStepsAreKept) {
    for (KeyCode code = 1; code <= 5; ++code) {
        assign(kKeyA, code);
    }
    int undone = 0;
    while (history.Undo() == 1) {
        ++undone;
    }
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(entry(kKeyA).value, 2u); // the state after the second of five steps
}

TEST_F(EditHistoryTest, ClearForgetsEveryStepAndStartsFromTheImageAsItIs) {
    assign(kKeyA, kCodeB);
    assign(kKeyC, kCodeD);
    history.Undo();
    modified.clear(); // an apply

    history.Clear();

    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(heard.back(), std::pair(false, false));
    assign(kKeyC, kCodeB);
    history.Undo();
    EXPECT_EQ(entry(kKeyA).value, kCodeB);
    EXPECT_EQ(entry(kKeyC).type, KeyEntryType::KeyDefault);
    EXPECT_FALSE(modified.isSet());
}

TEST_F(EditHistoryTest, ACommitThatChangedNothingIsNoStep) {
    modified.set(); // OK in the editor without a change
    EXPECT_EQ(history.Record(), 0);
    EXPECT_FALSE(history.CanUndo());

    // The applied state keeps its flag: undoing a later step ends at "not modified".
    assign(kKeyA, kCodeB);
    history.Undo();
    EXPECT_FALSE(modified.isSet());
}

TEST_F(EditHistoryTest, EachStateKeepsWhetherEveryProfileMustBeWritten) {
    assign(kKeyA, kCodeB);
    assign(kKeyC, kCodeD, true); // moved macros

    history.Undo();
    EXPECT_TRUE(modified.isSet());
    EXPECT_FALSE(modified.allProfiles());

    history.Redo();
    EXPECT_TRUE(modified.allProfiles());
}

TEST_F(EditHistoryTest, MacrosAndStringsComeBackToo) {
    MacroRecord macro;
    macro.macroId = 1;
    macro.setName(u"one");
    {
        std::lock_guard guard(image.lock);
        image.macros.push_back(macro);
        *image.entry(0, kKeyA) = {KeyEntryType::KeyText, 0, 0};
        image.setString(entryNumber(0, kKeyA), u"typed");
    }
    modified.set();
    history.Record();

    history.Undo();
    EXPECT_TRUE(image.macros.empty());
    EXPECT_TRUE(image.strings[entryNumber(0, kKeyA)].empty());
    EXPECT_EQ(image.stringBytes, 0u);

    history.Redo();
    ASSERT_EQ(image.macros.size(), 1u);
    EXPECT_EQ(image.macros[0].nameView(), u"one");
    EXPECT_EQ(image.strings[entryNumber(0, kKeyA)].text, u"typed");
    EXPECT_EQ(image.stringBytes, 12u);
}

TEST_F(EditHistoryTest, ASaveStampingTheHeaderDoesNotStopUndo) {
    const ConfigBlock applied = *image.block;
    MacroRecord macro;
    macro.macroId = 1;
    {
        std::lock_guard guard(image.lock);
        image.macros.push_back(macro);
    }
    modified.set();
    history.Record();
    stampHeader(*image.block, 1, 0, 0); // a failed apply saved the file first

    EXPECT_EQ(history.Undo(), 1);
    EXPECT_EQ(*image.block, applied);
}

TEST_F(EditHistoryTest, AChangeMadeAroundTheHistoryIsNeverOverwritten) {
    assign(kKeyA, kCodeB);
    {
        std::lock_guard guard(image.lock);
        *image.entry(0, kKeyC) = {KeyEntryType::KeyDisabled, 0, 0};
    }

    EXPECT_EQ(history.Undo(), 0);

    EXPECT_EQ(entry(kKeyA).value, kCodeB);
    EXPECT_EQ(entry(kKeyC).type, KeyEntryType::KeyDisabled);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(heard.back(), std::pair(false, false));
}

TEST(EditHistoryStart, NothingIsRecordedBeforeTheFirstClear) {
    ConfigImage image;
    image.createDefaultBlock();
    ModifiedFlag modified;
    EditHistory history{image, modified};

    EXPECT_EQ(history.Record(), 0);
    EXPECT_FALSE(history.CanUndo());
}

// The operations after which the image matches the keyboard or a file.
class EditHistoryForgetTest : public testing::SyncTest {
protected:
    EditHistoryForgetTest() {
        context.history = &history;
        RefreshFromKeyboard(context);
        keyboard.currentProfile = 0;
    }

    // Each call a new code, so each is a step.
    void edit() {
        {
            std::lock_guard guard(config.lock);
            *config.entry(0, kKeyA) = {KeyEntryType::KeySingle, 0, nextCode++};
        }
        modified.set();
        context.recordEdit();
    }

    EditHistory history{config, modified};
    KeyCode nextCode = kCodeB;
    ProfileSwitcher switcher{context, {nullptr, nullptr, nullptr, nullptr}};
    testing::TempDir files;
};

TEST_F(EditHistoryForgetTest, ApplyImportSwitchAndRefreshStartTheHistoryAfresh) {
    const std::pair<const char*, std::function<int()>> operations[] = {
        {"apply", [&] { return ApplyConfiguration(context, nullptr); }},
        {"import",
         [&] {
             const auto file = files / "saved.fwc";
             EXPECT_EQ(ExportProfileFile(config, file), 1);
             return ImportProfileFile(context, file);
         }},
        {"switch", [&] { return switcher.SelectProfile(1); }},
        {"refresh", [&] { return RefreshFromKeyboard(context); }},
    };
    for (const auto& [name, operation] : operations) {
        edit();
        ASSERT_TRUE(history.CanUndo()) << name;

        EXPECT_EQ(operation(), 1) << name;

        EXPECT_FALSE(history.CanUndo()) << name;
        EXPECT_EQ(history.Undo(), 0) << name;
    }
}

TEST_F(EditHistoryForgetTest, AFailedApplyKeepsTheSteps) {
    edit();
    link.keyboard.unplug();

    EXPECT_EQ(ApplyConfiguration(context, nullptr), 0);

    EXPECT_TRUE(history.CanUndo());
}

} // namespace
} // namespace kw
