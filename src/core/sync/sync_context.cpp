#include "core/sync/sync_context.h"

#include "core/config/config_file.h"
#include "core/skin/text_keys.h"
#include "core/sync/edit_history.h"

namespace kw {

void SyncContext::showKeyboardBusy(const std::string& holder) const {
    const std::string who =
        holder.empty() ? language.text(text_keys::KEYBOARD_BUSY_SOMEONE) : holder;
    prompter.showMessage(Language::formatWithText(language.text(text_keys::KEYBOARD_BUSY), who));
}

std::filesystem::path SyncContext::configFile() const {
    return configFilePath(dataHome, programFolder);
}

void SyncContext::recordEdit() const {
    if (history) {
        history->Record();
    }
}

void SyncContext::forgetEdits() const {
    if (history) {
        history->Clear();
    }
}

} // namespace kw
