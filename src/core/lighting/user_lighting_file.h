#pragma once
// A user lighting file (".userd"): ten named per-key colour sets of one
// profile, read and written key by key. Missing files, sections and keys read
// as defaults; every write goes to a temporary file that replaces the old one,
// and a file that cannot be read is never overwritten by a write.

#include "core/base/ini_file.h"
#include "core/lighting/rgb.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace kw {

inline constexpr int kUserModeCount = 10;
inline constexpr int kColourTool = 0;
inline constexpr int kBaseColourTool = 1;

struct UserModeSettings {
    int tool = kColourTool;
    Colorref baseColour = 0;
    Colorref paintColour = 0;

    friend bool operator==(const UserModeSettings&, const UserModeSettings&) = default;
};

// One key's colour and whether it follows the base colour.
struct KeyColourEntry {
    Rgb colour{255, 0, 0};
    bool followsBase = true;

    friend bool operator==(const KeyColourEntry&, const KeyColourEntry&) = default;
};

// "Mode3" for mode 3; any number, since a damaged file may name one outside 0..9.
std::string UserModeSection(int mode);

// Readers over a loaded file. A value whose numbers are partly missing keeps
// the previous content for those; colour numbers are cut to their low byte.
int ReadPresentMode(const IniDocument& file);
std::string ReadModeName(const IniDocument& file, int mode);
UserModeSettings ReadModeSettings(const IniDocument& file, int mode,
                                  const UserModeSettings& previous);
KeyColourEntry ReadKeyEntry(const IniDocument& file, int mode, int colourIndex,
                            const KeyColourEntry& previous);

struct KeyEntryWrite {
    int colourIndex = 0;
    KeyColourEntry entry;
};

class UserLightingFile {
public:
    explicit UserLightingFile(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& path() const { return file_; }
    IniDocument load() const { return IniDocument::load(file_); }

    // Each returns true when the file holds the new values afterwards.
    bool writePresentMode(int mode) const;
    bool writeModeName(int mode, std::string_view name) const;
    // The mode's "tool", "jcolor" and "color", then the given keys, in one replacement.
    bool writeModeSettings(int mode, const UserModeSettings& settings,
                           std::span<const KeyEntryWrite> keys = {}) const;
    bool writeKeyEntry(int mode, const KeyEntryWrite& key) const;

    // Replaces the file with a copy of `defaultFile`; a missing default leaves
    // an empty file, which reads as all defaults.
    bool restoreFrom(const std::filesystem::path& defaultFile) const;

private:
    std::filesystem::path file_;
};

} // namespace kw
