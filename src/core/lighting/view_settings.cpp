#include "core/lighting/view_settings.h"

#include "core/base/ini_file.h"
#include "core/config/data_folder.h"
#include "core/lighting/profile_numbers.h"

namespace kw {

namespace {

constexpr const char* kSection = "KEYCOLOR";
constexpr const char* kKey = "DengCheck";

} // namespace

std::filesystem::path ViewSettingsFilePath(const std::filesystem::path& dataHome) {
    return dataFolderPath(dataHome) / "wskb.ini";
}

bool ReadLightingViewSetting(const std::filesystem::path& file) {
    return LeadingInteger(getProfileString(file, kSection, kKey, "0").text).value_or(0) == 1;
}

bool WriteLightingViewSetting(const std::filesystem::path& file, bool on) {
    return writeProfileString(file, kSection, kKey, on ? "1" : "0");
}

} // namespace kw
