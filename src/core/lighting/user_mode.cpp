#include "core/lighting/user_mode.h"

#include "core/config/data_folder.h"
#include "core/device/commands.h"
#include "core/lighting/effect_list.h"

#include <vector>

namespace kw {

UserModeModel::UserModeModel(Transport& transport, std::filesystem::path dataHome)
    : transport_(transport), dataHome_(std::move(dataHome)) {
    names_.fill("0");
}

void UserModeModel::setProfile(int profile) {
    if (profile >= 0 && profile < kProfileCount) {
        profile_ = profile;
    }
}

UserLightingFile UserModeModel::file() const {
    return UserLightingFile(userLightingFilePath(dataHome_, profile_));
}

bool UserModeModel::followsBase(int profile, int colourIndex) const {
    if (profile < 0 || profile >= kProfileCount || !HasLight(colourIndex)) {
        return false;
    }
    return followsBase_[static_cast<std::size_t>(profile)][static_cast<std::size_t>(colourIndex)];
}

void UserModeModel::setFollowsBase(int profile, int colourIndex, bool follows) {
    if (profile >= 0 && profile < kProfileCount && HasLight(colourIndex)) {
        followsBase_[static_cast<std::size_t>(profile)][static_cast<std::size_t>(colourIndex)] =
            follows;
    }
}

int UserModeModel::LoadUserModeNames() {
    const auto doc = file().load();
    for (int i = 0; i < kUserModeCount; ++i) {
        names_[static_cast<std::size_t>(i)] = ReadModeName(doc, i);
    }
    return applyFrom(doc);
}

int UserModeModel::ApplyUserMode() {
    return applyFrom(file().load());
}

int UserModeModel::applyFrom(const IniDocument& doc) {
    mode_ = ReadPresentMode(doc);
    settings_ = ReadModeSettings(doc, mode_, settings_);
    for (int button : LitButtons()) {
        const int index = ColourIndexOfButton(button);
        const KeyColourEntry previous{colours_.colour(profile_, index),
                                      followsBase(profile_, index)};
        const auto entry = ReadKeyEntry(doc, mode_, index, previous);
        colours_.setColour(profile_, index, entry.colour);
        setFollowsBase(profile_, index, entry.followsBase);
    }
    return WriteProfileKeyColours(transport_, profile_, colours_);
}

int UserModeModel::SelectUserMode(int mode) {
    if (mode < 0 || mode >= kUserModeCount || !file().writePresentMode(mode)) {
        return 0;
    }
    return ApplyUserMode();
}

bool UserModeModel::writeSettings(std::span<const KeyEntryWrite> keys) const {
    return file().writeModeSettings(mode_, settings_, keys);
}

int UserModeModel::PaintKey(int controlId, std::uint8_t selectedEffect) {
    const int index = ColourIndexOfButton(controlId);
    if (selectedEffect != kUserModeEffect || !HasLight(index)) {
        return 0;
    }
    const bool base = settings_.tool == kBaseColourTool;
    const Rgb colour = rgbOf(base ? settings_.baseColour : settings_.paintColour);
    const int result = WriteOneKeyColour(transport_, profile_, index, colour);
    colours_.setColour(profile_, index, colour);
    setFollowsBase(profile_, index, base);
    if (!file().writeKeyEntry(mode_, KeyEntryWrite{index, KeyColourEntry{colour, base}})) {
        return 0;
    }
    return result;
}

int UserModeModel::SetBaseColour(Colorref colour) {
    colour &= 0xFFFFFF;
    if (colour == settings_.baseColour) {
        return kCommandOk;
    }
    settings_.baseColour = colour;
    std::vector<KeyEntryWrite> keys;
    for (int button : LitButtons()) {
        const int index = ColourIndexOfButton(button);
        if (followsBase(profile_, index)) {
            colours_.setColour(profile_, index, rgbOf(colour));
            keys.push_back(KeyEntryWrite{index, KeyColourEntry{rgbOf(colour), true}});
        }
    }
    const bool stored = writeSettings(keys);
    const int result = WriteProfileKeyColours(transport_, profile_, colours_);
    return stored ? result : 0;
}

bool UserModeModel::SetPaintColour(Colorref colour) {
    settings_.paintColour = colour & 0xFFFFFF;
    return writeSettings();
}

bool UserModeModel::SelectTool(int tool) {
    if (tool != kColourTool && tool != kBaseColourTool) {
        return false;
    }
    settings_.tool = tool;
    return writeSettings();
}

bool UserModeModel::RenameUserMode(int mode, std::string_view text) {
    if (mode < 0 || mode >= kUserModeCount) {
        return false;
    }
    const std::string name = cutToUtf16Units(text, kIniValueMaxChars);
    if (!file().writeModeName(mode, name)) {
        return false;
    }
    names_[static_cast<std::size_t>(mode)] = name;
    return true;
}

void UserModeModel::RecomputeBaseMarks() {
    const Rgb base = rgbOf(settings_.baseColour);
    for (int q = 0; q < kProfileCount; ++q) {
        for (int button : LitButtons()) {
            const int index = ColourIndexOfButton(button);
            setFollowsBase(q, index, colours_.colour(q, index) == base);
        }
    }
}

int UserModeModel::RestoreDefaultUserLighting(const std::filesystem::path& defaultFile) {
    if (!file().restoreFrom(defaultFile)) {
        return 0;
    }
    return LoadUserModeNames();
}

} // namespace kw
