#include "core/sync/firmware_handoff.h"

#include "core/config/profile_file.h"
#include "core/device/commands.h"
#include "core/skin/text_keys.h"

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

std::string UpdateMessage(std::string_view fixedText, std::string_view languageKey,
                          const Language& language) {
    const std::string said = language.text(languageKey);
    if (said.empty() || said == "#Error") {
        return std::string(fixedText);
    }
    return std::string(fixedText) + "\n" + said;
}

int BackupConfiguration(ConfigImage& image, const std::filesystem::path& file, Prompter& prompter,
                        const Language& language) {
    namespace tk = text_keys;
    const int written = WriteProfileFile(image, file);
    prompter.showMessage(written == 1
                             ? UpdateMessage(kBackupDone, tk::UPDATE_BACKUP_OK, language)
                             : UpdateMessage(kBackupFailed, tk::UPDATE_BACKUP_FAILED, language));
    return written == 1 ? 1 : 0;
}

UpdateOutcome StartFirmwareUpdate(Transport& transport, std::filesystem::path& chosenProgram,
                                  ProgramLauncher& launcher, Prompter& prompter,
                                  const Language& language) {
    namespace tk = text_keys;
    std::error_code ec;
    if (chosenProgram.empty() || !std::filesystem::is_regular_file(chosenProgram, ec)) {
        prompter.showMessage(UpdateMessage(kChooseProgram, tk::UPDATE_ERR_FILE, language));
        return UpdateOutcome::NoProgram;
    }
    if (EnterBootMode(transport) != kCommandOk) {
        prompter.showMessage(UpdateMessage(kNoBootMode, tk::UPDATE_ERR_BOOT, language));
        return UpdateOutcome::BootModeFailed;
    }
    const std::filesystem::path program = chosenProgram;
    chosenProgram.clear();
    if (!launcher.launch(program)) {
        prompter.showMessage(UpdateMessage(kCannotLaunch, tk::UPDATE_ERR_RUN, language));
        return UpdateOutcome::LaunchFailed;
    }
    return UpdateOutcome::Launched;
}

} // namespace kw
