#include "core/mainwnd/profile_buttons.h"

namespace kw {
namespace {
bool isProfile(int n) {
    return n >= 0 && n <= 2;
}
} // namespace

int SelectProfileButton(int n, const ProfileButtonSteps& steps) {
    if (!isProfile(n)) {
        return 0;
    }
    steps.showLighting(n);
    if (steps.activeProfile() == n) {
        return 0;
    }
    if (steps.selectProfile(n) != 1) {
        return 0;
    }
    steps.markProfile(n);
    return 1;
}

int MarkProfileButtons(const ProfileButtonSteps& steps) {
    const int profile = steps.activeProfile();
    if (!isProfile(profile)) {
        return -1;
    }
    steps.markProfile(profile);
    steps.setLightingProfile(profile);
    return profile;
}

} // namespace kw
