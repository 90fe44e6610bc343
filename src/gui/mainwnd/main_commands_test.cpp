#include "core/config/config_file.h"
#include "core/sync/profile_transfer.h"
#include "gui/mainwnd/main_window_test_fixture.h"

#include <QMenu>
#include <fstream>
#include <gmock/gmock.h>

namespace kw::gui {
namespace {

using ::testing::ElementsAre;

class MainCommandsTest : public testing::MainWindowTest {
protected:
    int keyboardProfile() const { return link.keyboard.memory().info.activeProfile(); }

    void editEscape() {
        setEntry(0x01, {KeyEntryType::KeyDisabled, 0, 0});
        modified.set();
    }

    std::vector<int> profileMarks() {
        std::vector<int> marks;
        for (int id : {1135, 1136, 1137}) {
            marks.push_back(key(id).IsSelected() ? 1 : 0);
        }
        return marks;
    }

    bool keyTableWritten() const {
        for (const auto& r : sent()) {
            if (r.command == kCmdWriteKeyMatrix) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(MainCommandsTest, ActiveProfileButtonOnlyRereadsTheLighting) {
    ASSERT_EQ(keyboardProfile(), 0);
    ASSERT_THAT(profileMarks(), ElementsAre(1, 0, 0));
    key(1135).click();
    EXPECT_THAT(lightingShown, ElementsAre(0));
    EXPECT_THAT(commands(), ::testing::Not(::testing::Contains(kCmdWriteDeviceInfo)));
    EXPECT_THAT(profileMarks(), ElementsAre(1, 0, 0));
}

TEST_F(MainCommandsTest, SwitchWithChangesAnsweredYesAppliesTheActiveProfileFirst) {
    editEscape();
    prompter.answers = {true};
    key(1137).click();

    EXPECT_THAT(prompter.questions, ElementsAre(language.text("PROFILE_SELECT_PROMPT")));
    const auto codes = commands();
    const auto table = std::find(codes.begin(), codes.end(), kCmdWriteKeyMatrix);
    const auto info = std::find(codes.begin(), codes.end(), kCmdWriteDeviceInfo);
    ASSERT_NE(table, codes.end());
    EXPECT_LT(table, info) << "the profile was switched before the edits were applied";
    EXPECT_EQ(keyboardProfile(), 2);
    EXPECT_THAT(profileMarks(), ElementsAre(0, 0, 1));
    EXPECT_FALSE(modified.isSet());
    EXPECT_FALSE(key(1006).isEnabled());
}

TEST_F(MainCommandsTest, SwitchWithChangesAnsweredNoReloadsTheFile) {
    editEscape();
    prompter.answers = {false};
    key(1136).click();

    EXPECT_FALSE(keyTableWritten());
    EXPECT_EQ(config.entry(0, 0x01)->type, KeyEntryType::KeyDefault) << "edits not discarded";
    EXPECT_EQ(keyboardProfile(), 1);
    EXPECT_THAT(profileMarks(), ElementsAre(0, 1, 0));
    EXPECT_FALSE(key(1006).isEnabled());
}

TEST_F(MainCommandsTest, SwitchRefusedWhileTheEditorIsOpenKeepsTheMarks) {
    editor.whileOpen = [this] { key(1137).click(); };
    key(1058).click();
    EXPECT_THAT(prompter.messages, ElementsAre(language.text("PROFILE_SEELCT_PROMPT2")));
    EXPECT_EQ(keyboardProfile(), 0);
    EXPECT_THAT(profileMarks(), ElementsAre(1, 0, 0));
}

TEST_F(MainCommandsTest, RestoreDefaultsAnsweredNoChangesNothing) {
    setEntry(0x1E, {KeyEntryType::KeyDisabled, 0, 0});
    keys.RefreshKeyButtons();
    prompter.answers = {false};
    key(1138).click();
    EXPECT_THAT(prompter.questions, ElementsAre(language.text("MAIN_PROMPT_DEFAULT")));
    EXPECT_EQ(config.entry(0, 0x1E)->type, KeyEntryType::KeyDisabled);
    EXPECT_TRUE(key(1058).IsSelected());
    EXPECT_TRUE(sent().empty());
}

TEST_F(MainCommandsTest, RestoreDefaultsAnsweredYesWritesTheKeyboardAtOnce) {
    setEntry(0x1E, {KeyEntryType::KeyDisabled, 0, 0});
    setEntry(264, {KeyEntryType::KeyMacro, 0x0309, 1, 0x00FF00});
    setEntry(0x1E, {KeyEntryType::KeyDisabled, 0, 0}, 1);
    keys.RefreshKeyButtons();
    prompter.answers = {true};
    key(1138).click();

    EXPECT_EQ(*config.entry(0, 0x1E), KeyEntry{});
    EXPECT_EQ(*config.entry(0, 264), KeyEntry{}) << "G-key identity and colour mark stay";
    EXPECT_EQ(config.entry(1, 0x1E)->type, KeyEntryType::KeyDisabled);
    EXPECT_FALSE(key(1058).IsSelected());
    EXPECT_TRUE(keyTableWritten());
    EXPECT_FALSE(modified.isSet());
    EXPECT_EQ(defaultLightingWrites, 0) << "lighting view is off";

    lightingView = true;
    prompter.answers = {true};
    key(1138).click();
    EXPECT_EQ(defaultLightingWrites, 1);
}

TEST_F(MainCommandsTest, ReportRateButtonWritesByteFifteenOfTheShownProfile) {
    lighting.setProfile(1);
    key(1170).click();
    bool written = false;
    for (const auto& r : sent()) {
        if (r.command == kCmdWriteParameters && r.offset == 1 * 42 + 15) {
            ASSERT_FALSE(r.payload.empty());
            EXPECT_EQ(r.payload[0], 3);
            written = true;
        }
    }
    EXPECT_TRUE(written);
    EXPECT_EQ(commands().front(), kCmdBeginTransfer);
    EXPECT_EQ(commands().back(), kCmdEndTransfer);
    EXPECT_EQ(mainCommands.reportRate(), 3);
    EXPECT_TRUE(key(1170).IsSelected());
    EXPECT_FALSE(key(1147).IsSelected());
    EXPECT_FALSE(modified.isSet()) << "the report rate needs no Apply";
}

TEST_F(MainCommandsTest, ImportOfADamagedFileKeepsTheConfiguration) {
    setEntry(0x1E, {KeyEntryType::KeyDisabled, 0, 0});
    const auto damaged = dataHome / "damaged.fwc";
    std::ofstream(damaged, std::ios::binary) << "FD not really a profile";
    files.answers = {damaged};
    mainCommands.Command(32776);

    EXPECT_THAT(prompter.messages, ::testing::Contains(language.text("MAIN_PROMPT_INPORT")));
    EXPECT_EQ(config.entry(0, 0x1E)->type, KeyEntryType::KeyDisabled);
    EXPECT_FALSE(keyTableWritten());
}

TEST_F(MainCommandsTest, ExportThenImportRestoresTheConfiguration) {
    const auto file = dataHome / "backup.fwc";
    setEntry(0x1E, {KeyEntryType::KeyDisabled, 0, 0});
    files.answers = {file};
    mainCommands.Command(32777);
    ASSERT_TRUE(std::filesystem::exists(file));

    setEntry(0x1E, {});
    modified.set();
    files.answers = {file};
    mainCommands.Command(32776);
    EXPECT_EQ(config.entry(0, 0x1E)->type, KeyEntryType::KeyDisabled);
    EXPECT_TRUE(key(1058).IsSelected()) << "key buttons not redrawn";
    EXPECT_FALSE(key(1006).isEnabled());

    link.keyboard.clearLog();
    mainCommands.Command(32776); // cancelled dialog
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainCommandsTest, ApplyButtonFollowsTheModifiedFlag) {
    EXPECT_FALSE(key(1006).isEnabled());
    editEscape();
    EXPECT_TRUE(key(1006).isEnabled());
    key(1006).click();
    EXPECT_TRUE(keyTableWritten());
    EXPECT_FALSE(key(1006).isEnabled());
}

TEST_F(MainCommandsTest, ButtonMenuOffersRestoreBackupUpdateAndAbout) {
    const auto menu = mainCommands.ButtonMenu();
    const auto actions = menu->actions();
    const std::pair<const char*, int> expected[] = {
        {"MENU_1", 32776}, {"MENU_2", 32777}, {"MENU_UPDATE", 32780}, {"MENU_3", 32773}};
    ASSERT_EQ(actions.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(actions[i]->text().toStdString(), language.text(expected[i].first)) << i;
        EXPECT_EQ(actions[i]->data().toInt(), expected[i].second) << i;
    }
}

TEST_F(MainCommandsTest, WebButtonsOpenTheirPages) {
    for (int id : {1121, 1219, 1220, 1221}) {
        mainCommands.Command(id);
    }
    const QUrl home(QString::fromStdString(layout.link()));
    ASSERT_TRUE(home.isValid());
    EXPECT_THAT(urls, ElementsAre(home, home, QUrl(CMainCommands::kCommunityPage),
                                  QUrl(CMainCommands::kVideoPage)));
}

TEST_F(MainCommandsTest, LockIndicatorsDoNothing) {
    for (int id : {1125, 1126, 1127, 1128}) {
        key(id).click();
    }
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(editor.opened.empty());
}

} // namespace
} // namespace kw::gui
