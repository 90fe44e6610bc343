#pragma once
// The user lighting mode (effect 20): ten named per-key colour sets per
// profile kept in the profile's user lighting file, painting keys with the
// colour tool or the base-colour tool, and pushing the chosen set's colours
// to the keyboard. Every edit is written to the file at once.

#include "core/device/transport.h"
#include "core/lighting/key_colour_table.h"
#include "core/lighting/user_lighting_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kw {

class UserModeModel {
public:
    // `dataHome` holds the data folder with the three user lighting files.
    UserModeModel(Transport& transport, std::filesystem::path dataHome);

    int profile() const { return profile_; }
    // Ignored outside 0..2.
    void setProfile(int profile);
    UserLightingFile file() const;

    const std::array<std::string, kUserModeCount>& names() const { return names_; }
    // The mode read from the file; a damaged file may give one outside 0..9.
    int selectedMode() const { return mode_; }
    const UserModeSettings& settings() const { return settings_; }
    const KeyColourTable& colours() const { return colours_; }
    // Whether the key follows the base colour in `profile`.
    bool followsBase(int profile, int colourIndex) const;

    // Reads the ten names of the current profile's file, then ApplyUserMode.
    int LoadUserModeNames();
    // Loads the selected mode's settings and key colours from the file and
    // writes the profile's colours to the keyboard. Returns the device result.
    int ApplyUserMode();
    // Stores `mode` (0..9) as the selected one, then ApplyUserMode; 0 for a
    // mode out of range or a file that cannot be written.
    int SelectUserMode(int mode);

    // Colours one key with the current tool: on the keyboard, in the table and
    // in the file. Nothing happens (0) unless `selectedEffect` is the user mode
    // and the key has a light. 0 as well when the file cannot be written;
    // otherwise the device result.
    int PaintKey(int controlId, std::uint8_t selectedEffect);
    // Recolours every key that follows the base colour. The same colour again
    // writes nothing (1). 0 when the file cannot be written, else the device result.
    int SetBaseColour(Colorref colour);
    // Stored in the file only; nothing goes to the keyboard.
    bool SetPaintColour(Colorref colour);
    bool SelectTool(int tool);
    // Renames mode 0..9 (the window renames the selected one); the text is cut
    // to 259 characters. False for another mode or when the file cannot take the text.
    bool RenameUserMode(int mode, std::string_view text);

    // Every lit key of every profile follows the base colour exactly when it
    // has the current base colour.
    void RecomputeBaseMarks();

    // Replaces the current profile's file with `defaultFile` and reloads the
    // names and the mode. 0 when the file cannot be replaced.
    int RestoreDefaultUserLighting(const std::filesystem::path& defaultFile);

private:
    int applyFrom(const IniDocument& file);
    void setFollowsBase(int profile, int colourIndex, bool follows);
    bool writeSettings(std::span<const KeyEntryWrite> keys = {}) const;

    Transport& transport_;
    std::filesystem::path dataHome_;
    int profile_ = 0;
    int mode_ = 0;
    UserModeSettings settings_;
    std::array<std::string, kUserModeCount> names_;
    KeyColourTable colours_;
    std::array<std::array<bool, kColourIndexCount>, 3> followsBase_{};
};

} // namespace kw
