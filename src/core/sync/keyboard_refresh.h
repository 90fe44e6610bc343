#pragma once
// The keyboard is the authority for key assignments and macros: at every
// connection its three key tables and its macro area become the configuration
// file, and the image is loaded from that file.

#include "core/sync/sync_context.h"

#include <filesystem>

namespace kw {

// Reads the keyboard's key tables and macro area and writes them as a
// configuration file at `file`. 1 when read and written; 0 otherwise (the file
// is then left as it was).
int ReadConfigurationFromKeyboard(SyncContext& context, const std::filesystem::path& file);

// Reloads the image from the keyboard, or gives it the default block when the
// keyboard cannot be read; redraws the keys and clears the modified flag. Always 1;
// `fromKeyboard`, when given, tells whether the image came from the keyboard.
int RefreshFromKeyboard(SyncContext& context, bool* fromKeyboard = nullptr);

} // namespace kw
