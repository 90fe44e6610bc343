#pragma once
// Profile files (.fwc): copies of the whole key and macro configuration in
// the configuration-file layout, written to and read from a path the user
// chooses.

#include "core/config/config_image.h"

#include <filesystem>

namespace kw {

class Language;
class Prompter;

enum ProfileFileCheck : int {
    kProfileValid = 1,
    kProfileInvalid = 0,      // invalid, absent, or of an impossible size
    kProfileUnopenable = -2,  // cannot be opened for reading and writing, or not read
    kProfileOutOfMemory = -3, // more than the program holds in memory
};

// Whether `file` is a profile file the program can load. An invalid file is
// reported to the user with "PROFILE_FORMAT_ERROR" and its path; an absent or
// impossibly sized file, one that cannot be opened, and one too large to hold
// give their result without a message.
int ValidateProfileFile(const std::filesystem::path& file, Prompter& prompter,
                        const Language& language);

// Writes the image to `file` (the export); 1 when written.
int WriteProfileFile(ConfigImage& image, const std::filesystem::path& file);

// Writes a new profile file holding only a default block (32832 bytes); 1 when written.
int WriteNewProfileFile(const std::filesystem::path& file);

} // namespace kw
