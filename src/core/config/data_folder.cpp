#include "core/config/data_folder.h"

#include "core/base/atomic_file.h"
#include "core/base/environment.h"
#include "core/config/config_block.h"

#include <string>
#include <system_error>

namespace kw {

namespace {

constexpr const char* kProductFolder = "Velkor Keyboard";
constexpr const char* kUserLightingPrefix = "UserDengColor_";
constexpr const char* kUserLightingExtension = ".userd";
constexpr int kDefaultLightingNumber = 3;

std::string userLightingName(int number) {
    return kUserLightingPrefix + std::to_string(number) + kUserLightingExtension;
}

} // namespace

std::filesystem::path defaultDataHome() {
#ifdef _WIN32
    // The user's local application-data folder, where the design keeps the data folder.
    if (auto local = environmentFolder("LOCALAPPDATA"); local && local->is_absolute()) {
        return *local;
    }
    if (auto profile = environmentFolder("USERPROFILE"); profile && profile->is_absolute()) {
        return *profile / "AppData" / "Local";
    }
    return std::filesystem::path(".");
#else
    if (auto xdg = environmentFolder("XDG_DATA_HOME"); xdg && xdg->is_absolute()) {
        return *xdg;
    }
    return environmentFolder("HOME").value_or(".") / ".local" / "share";
#endif
}

std::filesystem::path dataFolderPath(const std::filesystem::path& dataHome) {
    return dataHome / kProductFolder;
}

std::filesystem::path userLightingFilePath(const std::filesystem::path& dataHome, int profile) {
    return dataFolderPath(dataHome) / userLightingName(profile);
}

std::filesystem::path defaultUserLightingFile(const std::filesystem::path& programFolder) {
    return programFolder / "Skins" / userLightingName(kDefaultLightingNumber);
}

bool ensureDataFolder(const std::filesystem::path& dataHome,
                      const std::filesystem::path& programFolder) {
    const auto folder = dataFolderPath(dataHome);
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) {
        return true;
    }
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return false;
    }
    // Without a default file there is nothing to copy: a missing lighting
    // file reads as all defaults anyway.
    if (const auto source = readFileBytes(defaultUserLightingFile(programFolder))) {
        for (int profile = 0; profile < kProfileCount; ++profile) {
            writeFileAtomically(userLightingFilePath(dataHome, profile), *source);
        }
    }
    return true;
}

} // namespace kw
