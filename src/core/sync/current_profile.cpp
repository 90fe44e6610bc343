#include "core/sync/current_profile.h"

#include "core/config/config_block.h"
#include "core/device/commands.h"

namespace kw {

int CurrentProfile(Transport& transport, KeyboardState& keyboard) {
    const int cached = keyboard.currentProfile.load();
    if (cached != kProfileUnknown) {
        return cached;
    }
    DeviceInfo info;
    if (ReadDeviceInfo(transport, info) != kCommandOk) {
        return kProfileUnknown;
    }
    // A keyboard that names no profile of the three has told nothing: every
    // image accessor needs a group of 0..2.
    if (info.activeProfile() >= kProfileCount) {
        return kProfileUnknown;
    }
    keyboard.currentProfile = info.activeProfile();
    return info.activeProfile();
}

} // namespace kw
