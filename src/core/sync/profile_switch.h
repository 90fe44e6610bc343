#pragma once
// Switching the keyboard's active profile. All three profiles live in one
// image and one file, so a switch changes the keyboard's active profile and
// the part of the image the window shows; it loads nothing, except when the
// user discards unapplied edits.

#include "core/sync/sync_context.h"

#include <functional>

namespace kw {

// Makes `profile` (0..2) the keyboard's active profile. 1 when written. A
// failed information read changes nothing; a failed write leaves the active
// profile unknown until the next read. Other values are ignored (0).
int SetActiveProfile(Transport& transport, KeyboardState& keyboard, int profile);

// Throws away the window's unapplied edits: clears the modified flag and,
// while the active profile is known, reloads the configuration file into the
// image (under its lock); without a file to go back to the image gets the
// default block.
void DiscardUnappliedEdits(SyncContext& context);

// What the switch needs to know of the windows around it; every member may be empty.
struct ProfileSwitchHooks {
    std::function<bool()> keyEditorOpen;
    std::function<bool()> managerHasUnappliedChanges;
    // The profile manager is open: mark the row of `profile` active and disable its Apply.
    std::function<void(int profile)> managerSelected;
    // The window's Apply command, waited for (for the "Yes" answer).
    std::function<void()> applyActiveProfile;
};

class ProfileSwitcher {
public:
    ProfileSwitcher(SyncContext& context, ProfileSwitchHooks hooks)
        : context_(context), hooks_(std::move(hooks)) {}

    // The profile buttons: 1 when switched (or the switch was attempted), 0
    // when refused because the key editor is open ("PROFILE_SEELCT_PROMPT2").
    // Unapplied changes are applied first or discarded, as the user answers
    // "PROFILE_SELECT_PROMPT". An index of 3 or more means profile 0.
    int SelectProfile(int index);

private:
    bool hasUnappliedChanges() const;

    SyncContext& context_;
    ProfileSwitchHooks hooks_;
    bool asking_ = false;
};

} // namespace kw
