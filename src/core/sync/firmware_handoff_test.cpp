#include "core/sync/firmware_handoff.h"
#include "core/sync/sync_test_fixture.h"

#include <fstream>
#include <gmock/gmock.h>

namespace kw {
namespace {

using ::testing::ElementsAre;

class RecordingLauncher : public ProgramLauncher {
public:
    bool launch(const std::filesystem::path& program) override {
        launched.push_back(program);
        return succeeds;
    }
    std::vector<std::filesystem::path> launched;
    bool succeeds = true;
};

class FirmwareHandoffTest : public testing::SyncTest {
protected:
    FirmwareHandoffTest() { EXPECT_TRUE(writeFileAtomically(program, std::string_view("#!"))); }

    std::filesystem::path program = dataHome / "update.bin";
    RecordingLauncher launcher;
};

TEST_F(FirmwareHandoffTest, UpdateOutcomes) {
    struct Case {
        const char* name;
        bool chooseProgram;
        bool keyboardPresent;
        bool launchSucceeds;
        UpdateOutcome outcome;
        std::vector<std::string> messages;
        bool bootSent;
        bool choiceKept;
    } cases[] = {
        {"nothing chosen",
         false,
         true,
         true,
         UpdateOutcome::NoProgram,
         {"请选择正确的更新文件! "},
         false,
         true},
        {"keyboard absent",
         true,
         false,
         true,
         UpdateOutcome::BootModeFailed,
         {"无法进入Boot模式! "},
         false,
         true},
        {"program does not start",
         true,
         true,
         false,
         UpdateOutcome::LaunchFailed,
         {"无法执行更新文件! "},
         true,
         false},
        {"launched", true, true, true, UpdateOutcome::Launched, {}, true, false},
    };
    for (const auto& c : cases) {
        sim::SimLink fresh(sim::KeyboardMemory::factory(), TransportTimings{200, 100, 2, 0});
        if (!c.keyboardPresent) {
            fresh.keyboard.unplug();
        }
        prompter.messages.clear();
        launcher.launched.clear();
        launcher.succeeds = c.launchSucceeds;
        std::filesystem::path chosen = c.chooseProgram ? program : dataHome / "missing.bin";

        EXPECT_EQ(StartFirmwareUpdate(fresh.transport, chosen, launcher, prompter, language),
                  c.outcome)
            << c.name;

        EXPECT_EQ(prompter.messages, c.messages) << c.name;
        EXPECT_EQ(fresh.keyboard.inBootMode(), c.bootSent) << c.name;
        EXPECT_EQ(launcher.launched.size(), c.bootSent ? 1u : 0u) << c.name;
        EXPECT_EQ(chosen.empty(), !c.choiceKept) << c.name;
    }
}

TEST(UpdateMessage, TheFixedTextComesWithTheLanguagesWordingWhereItHasOne) {
    kw::testing::TempDir folder;
    std::ofstream(folder / "Lang0409.ini") << "[TEXT]\nUPDATE_ERR_BOOT=No boot mode.\nEMPTY=\n";
    SettingsStore settings(folder / "settings.ini");
    const Language language(folder.path(), settings, [] { return std::uint16_t{1033}; });
    EXPECT_EQ(UpdateMessage("无法进入Boot模式! ", "UPDATE_ERR_BOOT", language),
              "无法进入Boot模式! \nNo boot mode.");
    EXPECT_EQ(UpdateMessage("备份成功!", "UPDATE_BACKUP_OK", language), "备份成功!");
    EXPECT_EQ(UpdateMessage("备份成功!", "EMPTY", language), "备份成功!");
}

TEST_F(FirmwareHandoffTest, BackupTellsWhetherItWasWritten) {
    config.createDefaultBlock();
    EXPECT_EQ(BackupConfiguration(config, dataHome / "backup.fwc", prompter, language), 1);
    EXPECT_EQ(
        BackupConfiguration(config, dataHome / "no-folder" / "backup.fwc", prompter, language), 0);
    EXPECT_THAT(prompter.messages, ElementsAre("备份成功!", "备份失败,请重新备份!"));
    EXPECT_TRUE(std::filesystem::exists(dataHome / "backup.fwc"));
}

} // namespace
} // namespace kw
