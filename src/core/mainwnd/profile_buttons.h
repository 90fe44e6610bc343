#pragma once
// The three profile buttons: what a click does, in order, and how the marks
// follow the keyboard's active profile. The window supplies the steps that
// touch its controls; the order and the stopping rules live here.

#include <functional>

namespace kw {

struct ProfileButtonSteps {
    // Shows profile n's lighting: sets the lighting profile, re-reads the
    // lighting, refills the user modes, refreshes the lighting controls and
    // leaves the lighting view.
    std::function<void(int n)> showLighting;
    // The keyboard's active profile (read from the keyboard when not cached), -1 when unknown.
    std::function<int()> activeProfile;
    // SelectProfile: 1 when switched, 0 when refused.
    std::function<int(int n)> selectProfile;
    // Marks button n alone as selected (-1: none) and redraws the key buttons.
    std::function<void(int n)> markProfile;
    // The lighting group's profile index.
    std::function<void(int n)> setLightingProfile;
};

// A click on profile button n (0..2). 1 when the keyboard switched, 0 when n
// was already active, the switch was refused, or n is out of range.
int SelectProfileButton(int n, const ProfileButtonSteps& steps);

// After a refresh: marks the active profile's button and shows its lighting;
// an unreadable keyboard changes nothing. Returns the profile or -1.
int MarkProfileButtons(const ProfileButtonSteps& steps);

} // namespace kw
