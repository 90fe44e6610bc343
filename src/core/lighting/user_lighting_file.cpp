#include "core/lighting/user_lighting_file.h"

#include "core/base/atomic_file.h"
#include "core/lighting/profile_numbers.h"

#include <array>
#include <optional>

namespace kw {

namespace {

constexpr const char* kPresentSection = "PRESENTMODE";
constexpr const char* kPresentKey = "mode";
constexpr const char* kNameSection = "MODENAME";
constexpr const char* kToolKey = "tool";
constexpr const char* kBaseColourKey = "jcolor";
constexpr const char* kPaintColourKey = "color";
constexpr const char* kDefaultName = "0";

std::uint8_t lowByte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::string formatColour(Rgb rgb) {
    return std::to_string(rgb.red) + "," + std::to_string(rgb.green) + "," +
           std::to_string(rgb.blue);
}

std::string formatKeyEntry(const KeyColourEntry& entry) {
    return formatColour(entry.colour) + "," + (entry.followsBase ? "1" : "0");
}

// A colour value; an absent key reads as "0,0,0".
Colorref readColour(const IniDocument& file, const std::string& section, const char* key,
                    Colorref previous) {
    const Rgb old = rgbOf(previous);
    std::array<int, 3> numbers{old.red, old.green, old.blue};
    ReadIntegerList(file.value(section, key).value_or("0,0,0"), numbers);
    return colorrefOf(Rgb{lowByte(numbers[0]), lowByte(numbers[1]), lowByte(numbers[2])});
}

bool setModeSettings(IniDocument& doc, int mode, const UserModeSettings& settings) {
    const auto section = UserModeSection(mode);
    return doc.set(section, kToolKey, std::to_string(settings.tool)) &&
           doc.set(section, kBaseColourKey, formatColour(rgbOf(settings.baseColour))) &&
           doc.set(section, kPaintColourKey, formatColour(rgbOf(settings.paintColour)));
}

} // namespace

std::string UserModeSection(int mode) {
    return "Mode" + std::to_string(mode);
}

int ReadPresentMode(const IniDocument& file) {
    // A value that is not a number means the first mode.
    return LeadingInteger(file.value(kPresentSection, kPresentKey).value_or("0")).value_or(0);
}

std::string ReadModeName(const IniDocument& file, int mode) {
    return file.value(kNameSection, std::to_string(mode)).value_or(kDefaultName);
}

UserModeSettings ReadModeSettings(const IniDocument& file, int mode,
                                  const UserModeSettings& previous) {
    const auto section = UserModeSection(mode);
    UserModeSettings settings = previous;
    const auto tool = LeadingInteger(file.value(section, kToolKey).value_or("0"));
    if (tool) {
        settings.tool = *tool == kBaseColourTool ? kBaseColourTool : kColourTool;
    }
    settings.baseColour = readColour(file, section, kBaseColourKey, previous.baseColour);
    settings.paintColour = readColour(file, section, kPaintColourKey, previous.paintColour);
    return settings;
}

KeyColourEntry ReadKeyEntry(const IniDocument& file, int mode, int colourIndex,
                            const KeyColourEntry& previous) {
    std::array<int, 4> numbers{previous.colour.red, previous.colour.green, previous.colour.blue,
                               previous.followsBase ? 1 : 0};
    ReadIntegerList(
        file.value(UserModeSection(mode), std::to_string(colourIndex)).value_or("255,0,0,1"),
        numbers);
    return KeyColourEntry{Rgb{lowByte(numbers[0]), lowByte(numbers[1]), lowByte(numbers[2])},
                          numbers[3] != 0};
}

bool UserLightingFile::writePresentMode(int mode) const {
    return writeProfileString(file_, kPresentSection, kPresentKey, std::to_string(mode));
}

bool UserLightingFile::writeModeName(int mode, std::string_view name) const {
    return writeProfileString(file_, kNameSection, std::to_string(mode), name);
}

bool UserLightingFile::writeModeSettings(int mode, const UserModeSettings& settings,
                                         std::span<const KeyEntryWrite> keys) const {
    auto doc = IniDocument::loadForUpdate(file_);
    if (!doc || !setModeSettings(*doc, mode, settings)) {
        return false;
    }
    const auto section = UserModeSection(mode);
    for (const auto& key : keys) {
        if (!doc->set(section, std::to_string(key.colourIndex), formatKeyEntry(key.entry))) {
            return false;
        }
    }
    return doc->save(file_);
}

bool UserLightingFile::writeKeyEntry(int mode, const KeyEntryWrite& key) const {
    return writeProfileString(file_, UserModeSection(mode), std::to_string(key.colourIndex),
                              formatKeyEntry(key.entry));
}

bool UserLightingFile::restoreFrom(const std::filesystem::path& defaultFile) const {
    const auto content = readFileBytes(defaultFile, kIniMaxFileBytes);
    if (content) {
        return writeFileAtomically(file_, *content);
    }
    return writeFileAtomically(file_, std::string_view{});
}

} // namespace kw
