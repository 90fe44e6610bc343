#include "core/sync/profile_switch.h"

#include "core/config/config_file.h"
#include "core/device/commands.h"
#include "core/skin/text_keys.h"

#include <mutex>

namespace kw {

int SetActiveProfile(Transport& transport, KeyboardState& keyboard, int profile) {
    if (profile < 0 || profile >= kProfileCount) {
        return 0;
    }
    // The information is read and written back whole: nobody may come between.
    KeyboardLockGuard held(transport.sequenceLock());
    if (!held.held()) {
        return 0;
    }
    DeviceInfo info;
    if (ReadDeviceInfo(transport, info) != kCommandOk) {
        return 0;
    }
    info.setActiveProfile(static_cast<std::uint8_t>(profile));
    if (WriteDeviceInfo(transport, info) == kCommandOk) {
        keyboard.currentProfile = profile;
        return 1;
    }
    keyboard.currentProfile = kProfileUnknown;
    return 0;
}

void DiscardUnappliedEdits(SyncContext& context) {
    context.modified.clear();
    if (context.keyboard.currentProfile.load() < 0) {
        return;
    }
    ConfigImage& config = context.config;
    std::lock_guard guard(config.lock);
    if (LoadConfigurationFile(config, context.configFile()) != 1) {
        // Without a file to go back to, the edits still go: the keyboard's defaults remain.
        config.clearStrings();
        config.clearMacros();
        config.clearBlock();
        config.createDefaultBlock();
    }
}

bool ProfileSwitcher::hasUnappliedChanges() const {
    return context_.modified.isSet() ||
           (hooks_.managerHasUnappliedChanges && hooks_.managerHasUnappliedChanges());
}

int ProfileSwitcher::SelectProfile(int index) {
    if (index >= kProfileCount) {
        index = 0;
    }
    if (hooks_.keyEditorOpen && hooks_.keyEditorOpen()) {
        context_.showText(text_keys::PROFILE_SEELCT_PROMPT2);
        return 0;
    }
    const bool ask = hasUnappliedChanges() && !asking_;
    bool apply = false;
    if (ask) {
        asking_ = true;
        apply =
            context_.prompter.askYesNo(context_.language.text(text_keys::PROFILE_SELECT_PROMPT));
        asking_ = false;
    }
    {
        // Taken after the question: the user may take their time, another program need not wait.
        KeyboardLockGuard held(context_.transport.sequenceLock());
        if (!held.held()) {
            context_.showKeyboardBusy(held.holder());
            return 1;
        }
        if (ask && apply) {
            if (hooks_.applyActiveProfile) {
                hooks_.applyActiveProfile();
            }
        } else if (ask) {
            DiscardUnappliedEdits(context_);
        }
        SetActiveProfile(context_.transport, context_.keyboard, index);
    }
    if (!ask && hooks_.managerSelected) {
        hooks_.managerSelected(index);
    }
    std::lock_guard guard(context_.config.lock);
    context_.redrawKeys();
    // The steps were edits of the profile left behind (or were just applied or discarded).
    context_.forgetEdits();
    return 1;
}

} // namespace kw
