#pragma once
// The firmware update hand-off: the program does not flash firmware itself.
// It backs up the configuration, switches the keyboard into its boot mode and
// starts the update program supplied with the firmware.

#include "core/base/prompter.h"
#include "core/config/config_image.h"
#include "core/device/transport.h"
#include "core/skin/language.h"

#include <filesystem>

namespace kw {

// Starts programs; the desktop implements it, tests record the calls.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // True when the program was started.
    virtual bool launch(const std::filesystem::path& program) = 0;
};

// The update dialog's messages are its own fixed texts; the user's language
// file says the same below each, where it has the text.
std::string UpdateMessage(std::string_view fixedText, std::string_view languageKey,
                          const Language& language);

// Writes the image to `file` as a profile file and tells the user whether it worked. 1 when
// written.
int BackupConfiguration(ConfigImage& image, const std::filesystem::path& file, Prompter& prompter,
                        const Language& language);

enum class UpdateOutcome {
    NoProgram,      // the chosen path is not an existing file; nothing sent
    BootModeFailed, // the boot-mode command could not be written; nothing started
    LaunchFailed,   // the keyboard went to boot mode, the program did not start
    Launched,       // the update program runs; the dialog closes
};

// The update button: sends the keyboard to boot mode and starts `chosenProgram`.
// Every outcome but Launched is told to the user; a launch attempt empties the choice.
UpdateOutcome StartFirmwareUpdate(Transport& transport, std::filesystem::path& chosenProgram,
                                  ProgramLauncher& launcher, Prompter& prompter,
                                  const Language& language);

} // namespace kw
