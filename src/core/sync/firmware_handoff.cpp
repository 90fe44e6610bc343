#include "core/sync/firmware_handoff.h"

#include "core/config/profile_file.h"
#include "core/device/commands.h"

#include <system_error>

namespace kw {

namespace {

// The update dialog's own texts, not language-file keys.
constexpr const char* kBackupDone = "备份成功!";
constexpr const char* kBackupFailed = "备份失败,请重新备份!";
constexpr const char* kChooseProgram = "请选择正确的更新文件! ";
constexpr const char* kNoBootMode = "无法进入Boot模式! ";
constexpr const char* kCannotLaunch = "无法执行更新文件! ";

} // namespace

int BackupConfiguration(ConfigImage& image, const std::filesystem::path& file, Prompter& prompter) {
    const int written = WriteProfileFile(image, file);
    prompter.showMessage(written == 1 ? kBackupDone : kBackupFailed);
    return written == 1 ? 1 : 0;
}

UpdateOutcome StartFirmwareUpdate(Transport& transport, std::filesystem::path& chosenProgram,
                                  ProgramLauncher& launcher, Prompter& prompter) {
    std::error_code ec;
    if (chosenProgram.empty() || !std::filesystem::is_regular_file(chosenProgram, ec)) {
        prompter.showMessage(kChooseProgram);
        return UpdateOutcome::NoProgram;
    }
    if (EnterBootMode(transport) != kCommandOk) {
        prompter.showMessage(kNoBootMode);
        return UpdateOutcome::BootModeFailed;
    }
    const std::filesystem::path program = chosenProgram;
    chosenProgram.clear();
    if (!launcher.launch(program)) {
        prompter.showMessage(kCannotLaunch);
        return UpdateOutcome::LaunchFailed;
    }
    return UpdateOutcome::Launched;
}

} // namespace kw
