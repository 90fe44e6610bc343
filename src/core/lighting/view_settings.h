#pragma once
// The view settings file "wskb.ini" in the data folder: whether the lighting
// view was on ("KEYCOLOR" / "DengCheck").

#include <filesystem>

namespace kw {

std::filesystem::path ViewSettingsFilePath(const std::filesystem::path& dataHome);

// True only when the stored value reads as the number 1; a missing file or key reads as off.
bool ReadLightingViewSetting(const std::filesystem::path& file);
// True when the file holds the value afterwards.
bool WriteLightingViewSetting(const std::filesystem::path& file, bool on);

} // namespace kw
