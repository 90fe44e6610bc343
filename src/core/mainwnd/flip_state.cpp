#include "core/mainwnd/flip_state.h"

#include "core/base/settings_store.h"

namespace kw {
namespace {
constexpr const char* kSection = "PROFILES";
constexpr const char* kKey = "Flip";
} // namespace

int ReadFlipState(const SettingsStore& settings) {
    return settings.readProfileInt(kSection, kKey, 0) != 0 ? 1 : 0;
}

int ToggleFlipState(SettingsStore& settings) {
    const int state = settings.readProfileInt(kSection, kKey, 0) == 0 ? 1 : 0;
    settings.writeProfileString(kSection, kKey, state == 1 ? "1" : "0");
    return state;
}

} // namespace kw
