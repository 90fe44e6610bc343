#pragma once
// Folders named by environment variables, read the way the platform keeps
// them: wide strings on Windows, so a user folder whose name is outside the
// ANSI code page stays intact; bytes elsewhere.

#include <filesystem>
#include <optional>

namespace kw {

// The variable's value as a path; nullopt when it is unset or empty.
std::optional<std::filesystem::path> environmentFolder(const char* name);

} // namespace kw
