#pragma once
// Starting with the user's session: an XDG autostart entry that runs the
// program with "/Start", so it waits in the tray until it is wanted. The entry
// is the desktop's own record of the choice; nothing else stores it.

#include <filesystem>
#include <optional>
#include <string>

namespace kw {

// <config home>/autostart/keyweave.desktop
std::filesystem::path autostartEntryPath(const std::filesystem::path& configHome);

// The entry's text for `executable`; nullopt when the path cannot stand in a
// desktop entry's command line (a line break in it).
std::optional<std::string> autostartEntryText(const std::filesystem::path& executable);

// True when the entry is there and the desktop has not switched it off
// ("Hidden=true" or "X-GNOME-Autostart-enabled=false", as session settings
// dialogs write them).
bool isAutostartEnabled(const std::filesystem::path& entry);

// Writes the entry (temporary file, then rename) or removes it. True when the
// entry is in the asked state afterwards.
bool setAutostart(const std::filesystem::path& entry, bool enabled,
                  const std::filesystem::path& executable);

} // namespace kw
