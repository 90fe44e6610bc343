#include "core/sync/profile_transfer.h"

#include "core/config/config_file.h"
#include "core/config/profile_file.h"
#include "core/sync/apply_pipeline.h"

#include <mutex>

namespace kw {

int ExportProfileFile(ConfigImage& image, const std::filesystem::path& file) {
    return WriteProfileFile(image, file);
}

int ImportProfileFile(SyncContext& context, const std::filesystem::path& file) {
    if (ValidateProfileFile(file, context.prompter, context.language) != kProfileValid) {
        context.showText("MAIN_PROMPT_INPORT");
        return 0;
    }
    KeyboardLockGuard held(context.transport.sequenceLock());
    if (!held.held()) {
        context.showKeyboardBusy(held.holder());
        return 0;
    }
    int written = 0;
    {
        std::lock_guard guard(context.config.lock);
        // The load replaces the image only when the whole file could be read.
        if (LoadConfigurationFile(context.config, file) != 1) {
            context.showText("MAIN_PROMPT_INPORT");
            return 0;
        }
        // The file is a whole configuration: writing it overwrites nothing
        // unread, and what another program wrote is replaced on purpose.
        context.keyboard.imageUnread = false;
        context.keyboard.knownChanges = -1;
        SaveConfigurationFile(context.config, context.configFile(), false);
        written = BuildDeviceImage(context, true);
        context.redrawKeys();
    }
    // A keyboard that did not take the file keeps the configuration marked unapplied.
    if (written == 1) {
        context.modified.clear();
    } else {
        context.modified.set();
    }
    // Undo never goes back across a loaded file.
    context.forgetEdits();
    return written;
}

} // namespace kw
