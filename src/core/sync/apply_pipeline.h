#pragma once
// Applying: the working image is saved to the configuration file, copied into
// the device image, encoded into the keyboard's key tables and macro area,
// checked against the keyboard's macro capacity and written in one bracketed
// sequence of commands.

#include "core/sync/busy_indicator.h"
#include "core/sync/sync_context.h"

namespace kw {

// Sends the device image: the macro area and the key table of the active
// profile, or of all three. 1 when the last key-table write succeeded. Nothing
// is sent when the macros do not fit even without names ("EXTRA_MACRO_TOO_LONG")
// or when the active profile is not known; names left out to make them fit
// are reported after the write ("EXTRA_PROFILE_SPACE_TIGHT").
// kImageStale, with nothing sent and nothing said, when another program has
// written the keyboard since this one read it: the caller tells the user
// once the keyboard is free again (KEYBOARD_CHANGED_NOT_APPLIED), and the
// next write goes ahead.
inline constexpr int kImageStale = -2;
int WriteDeviceImage(SyncContext& context, bool allProfiles);

// Copies the configuration image into the device image and sends it. The
// caller holds the configuration image's lock. 1 when the keyboard write succeeded.
int BuildDeviceImage(SyncContext& context, bool allProfiles);

// The window's Apply: when the configuration is modified, saves it and writes
// the active profile (every profile when the flag asks for all); clears the
// modified flag when both succeeded. A stale image is reported after the
// keyboard is given up, so the message never keeps other programs waiting. The
// indicator (may be null) shows meanwhile. 1 when there was nothing to do or
// everything was done.
int ApplyConfiguration(SyncContext& context, BusyIndicator* indicator);

} // namespace kw
