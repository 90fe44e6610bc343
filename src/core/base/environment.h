#pragma once
// Folders named by environment variables, read the way the platform keeps
// them: wide strings on Windows, so a user folder whose name is outside the
// ANSI code page stays intact; bytes elsewhere.

#include <filesystem>
#include <optional>

namespace kw {

// The variable's value as a path; nullopt when it is unset or empty.
std::optional<std::filesystem::path> environmentFolder(const char* name);

// The folder of the user's settings: $XDG_CONFIG_HOME when absolute, else
// ~/.config; on Windows the roaming application-data folder.
std::filesystem::path userConfigHome();

} // namespace kw
