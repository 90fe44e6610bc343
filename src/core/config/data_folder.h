#pragma once
// The per-user data folder: the configuration file, the user lighting files
// and the view settings live in one product folder under $XDG_DATA_HOME
// (%LOCALAPPDATA% on Windows).

#include <filesystem>

namespace kw {

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share. On
// Windows %LOCALAPPDATA%, else %USERPROFILE%\AppData\Local.
std::filesystem::path defaultDataHome();

// The product folder inside `dataHome`.
std::filesystem::path dataFolderPath(const std::filesystem::path& dataHome);

// The user lighting file of profile 0..2 inside the data folder.
std::filesystem::path userLightingFilePath(const std::filesystem::path& dataHome, int profile);

// The default user lighting file the program ships beside its executable.
std::filesystem::path defaultUserLightingFile(const std::filesystem::path& programFolder);

// Creates the data folder when it does not exist and seeds it with a copy of
// the default user lighting file for each profile; an existing folder is left
// as it is. True when the folder exists afterwards.
bool ensureDataFolder(const std::filesystem::path& dataHome,
                      const std::filesystem::path& programFolder);

} // namespace kw
