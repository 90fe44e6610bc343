#include "core/sync/current_profile.h"

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
    keyboard.currentProfile = info.activeProfile();
    return info.activeProfile();
}

} // namespace kw
