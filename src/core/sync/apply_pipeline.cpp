#include "core/sync/apply_pipeline.h"

#include "core/config/config_file.h"
#include "core/config/key_matrix.h"
#include "core/config/macro_area.h"
#include "core/device/commands.h"
#include "core/skin/text_keys.h"
#include "core/sync/current_profile.h"

#include <mutex>
#include <new>
#include <vector>

namespace kw {

int WriteDeviceImage(SyncContext& context, bool allProfiles) {
    // Taken before the image's lock, as every sequence does (callers that hold
    // the configuration image's lock hold this one already).
    KeyboardLockGuard held(context.transport.sequenceLock());
    if (!held.held()) {
        context.showKeyboardBusy(held.holder());
        return 0;
    }
    if (context.keyboard.imageUnread.load()) {
        context.showText(text_keys::KEYBOARD_NOT_READ);
        return 0;
    }
    std::lock_guard guard(context.device.lock);
    if (!context.device.block) {
        return 0;
    }
    const MacroAreaSizes sizes = macroAreaSizes(context.device.macros);
    const auto capacity = static_cast<std::size_t>(context.keyboard.macroCapacity.load());
    if (sizes.minimal > capacity) {
        context.showText("EXTRA_MACRO_TOO_LONG");
        return 0;
    }
    const bool namesIncluded = sizes.full <= capacity;
    const std::vector<std::uint8_t> area =
        buildMacroArea(context.device, namesIncluded ? sizes.full : sizes.minimal, namesIncluded);

    std::vector<int> profiles;
    if (allProfiles) {
        profiles = {0, 1, 2};
    } else {
        // A profile the keyboard cannot take would leave a half-sent sequence.
        const int active = CurrentProfile(context.transport, context.keyboard);
        if (active < 0 || active >= kProfileCount) {
            return 0;
        }
        profiles = {active};
    }
    const KeyMatrix defaults = context.keyboard.defaultMatrix.get();
    std::vector<std::array<std::uint8_t, kKeyMatrixSize>> tables;
    for (const int p : profiles) {
        tables.push_back(keyMatrixBytes(encodeKeyMatrix(groupEntries(*context.device.block, p),
                                                        defaults, context.device.macros)));
    }

    // Another program wrote the keyboard since this one read it: the image
    // here is older, and writing it would take that change back unasked. The
    // edits are kept and the caller tells the user; the next Apply writes.
    KeyboardLock& lock = context.transport.sequenceLock();
    const auto changes = static_cast<std::int64_t>(lock.changeCount());
    const std::int64_t known = context.keyboard.knownChanges.exchange(changes);
    if (known >= 0 && known != changes) {
        return kImageStale;
    }

    // Mends the design, which sent every part whatever the keyboard answered
    // and counted only the last key table: a macro area the keyboard refused
    // halfway was then reported as applied, and key tables went out that
    // named macros the keyboard did not hold. Now the first refusal or
    // silence ends the writes, the sequence is still closed, and only a
    // wholly taken sequence, its end included, counts.
    int result = BeginTransfer(context.transport);
    if (result == kCommandOk) {
        result = WriteMacroArea(context.transport, area);
    }
    for (std::size_t i = 0; i < profiles.size() && result == kCommandOk; ++i) {
        result = WriteKeyMatrix(context.transport, profiles[i], tables[i]);
    }
    const int end = EndTransfer(context.transport);
    if (result == kCommandOk) {
        result = end;
    }
    // Even a write the keyboard took in part has changed it for the others.
    lock.countChange();
    context.keyboard.knownChanges = static_cast<std::int64_t>(lock.changeCount());
    if (result != kCommandOk) {
        context.showText(text_keys::KEYBOARD_NOT_TAKEN);
        return 0;
    }
    if (!namesIncluded) {
        context.showText("EXTRA_PROFILE_SPACE_TIGHT");
    }
    return 1;
}

int BuildDeviceImage(SyncContext& context, bool allProfiles) {
    std::lock_guard guard(context.device.lock);
    try {
        ConfigImage& config = context.config;
        if (!config.block) {
            return 0;
        }
        // Packing first gives the launch and text entries their offsets in both images.
        auto pool = config.packStrings();
        auto block = std::make_unique<ConfigBlock>(*config.block);
        stampHeader(*block, config.macroCount(), config.stringBytes, 0);
        auto macros = config.macros;
        context.device.block = std::move(block);
        context.device.macros = std::move(macros);
        context.device.pool = std::move(pool);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return WriteDeviceImage(context, allProfiles);
}

int ApplyConfiguration(SyncContext& context, BusyIndicator* indicator) {
    BusyScope busy(indicator);
    if (!context.modified.isSet()) {
        // The keyboard already holds the image: nothing is left to step back to.
        context.forgetEdits();
        return 1;
    }
    int saved = 0;
    int written = 0;
    {
        KeyboardLockGuard held(context.transport.sequenceLock());
        if (!held.held()) {
            context.showKeyboardBusy(held.holder());
            return 0;
        }
        std::lock_guard guard(context.config.lock);
        saved = SaveConfigurationFile(context.config, context.configFile(), false);
        written = BuildDeviceImage(context, context.modified.allProfiles());
    }
    if (written == kImageStale) {
        context.showText(text_keys::KEYBOARD_CHANGED_NOT_APPLIED);
        return 0;
    }
    if (saved == 1 && written == 1) {
        context.modified.clear();
        context.forgetEdits();
        return 1;
    }
    return 0;
}

} // namespace kw
