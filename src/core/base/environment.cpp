#include "core/base/environment.h"

#include <cstdlib>
#include <string>

namespace kw {

std::optional<std::filesystem::path> environmentFolder(const char* name) {
#ifdef _WIN32
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wideName.c_str());
#else
    const char* value = std::getenv(name);
#endif
    if (!value || !*value) {
        return std::nullopt;
    }
    return std::filesystem::path(value);
}

std::filesystem::path userConfigHome() {
#ifdef _WIN32
    // The roaming application-data folder: per-user settings that travel with
    // the user, as the registry's would.
    if (auto appData = environmentFolder("APPDATA"); appData && appData->is_absolute()) {
        return *appData;
    }
    if (auto profile = environmentFolder("USERPROFILE"); profile && profile->is_absolute()) {
        return *profile / "AppData" / "Roaming";
    }
    return std::filesystem::path(".config");
#else
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (auto xdg = environmentFolder("XDG_CONFIG_HOME"); xdg && xdg->is_absolute()) {
        return *xdg;
    }
    if (auto home = environmentFolder("HOME")) {
        return *home / ".config";
    }
    return std::filesystem::path(".config");
#endif
}

} // namespace kw
