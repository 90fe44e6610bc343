#pragma once
// Profile files (.fwc): backing up the whole key and macro configuration to
// a file the user names, and restoring it to the image, the configuration
// file and all three profiles of the keyboard.

#include "core/sync/sync_context.h"

#include <filesystem>

namespace kw {

// Writes the image to `file` as a profile file (which need not exist). 1 when written.
int ExportProfileFile(ConfigImage& image, const std::filesystem::path& file);

// Validates `file`, loads it into the image, saves it as the configuration
// file and writes all three profiles and the macros to the keyboard. An
// unusable file leaves the image untouched and shows "MAIN_PROMPT_INPORT"
// (after "PROFILE_FORMAT_ERROR" for an invalid one). 1 when the keyboard
// holds the file's configuration; the modified flag is cleared only then.
int ImportProfileFile(SyncContext& context, const std::filesystem::path& file);

} // namespace kw
