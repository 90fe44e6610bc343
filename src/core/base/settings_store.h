#pragma once
// The per-user settings store that stands in for the product's registry key
// and the application profile: one INI file under $XDG_CONFIG_HOME (%APPDATA%
// on Windows). Values carry a type, so a value that is not a DWORD can still be
// told apart.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

class SettingsStore {
public:
    // The store of the current user: $XDG_CONFIG_HOME (or ~/.config) /keyweave/settings.ini;
    // on Windows %APPDATA% (or %USERPROFILE%\AppData\Roaming) \keyweave\settings.ini.
    static std::filesystem::path defaultPath();

    explicit SettingsStore(std::filesystem::path file);

    const std::filesystem::path& file() const { return file_; }

    // A value of the product key. nullopt when missing or when it is not a DWORD.
    std::optional<std::uint32_t> readDword(std::string_view name) const;
    bool writeDword(std::string_view name, std::uint32_t value);
    // A string value of the product key (stored typed, so it never reads as a DWORD).
    bool writeString(std::string_view name, std::string_view value);

    // Application-profile strings ("PROFILES" and the other sections); `fallback` when missing.
    std::string readProfileString(std::string_view section, std::string_view key,
                                  std::string_view fallback) const;
    int readProfileInt(std::string_view section, std::string_view key, int fallback) const;
    bool writeProfileString(std::string_view section, std::string_view key, std::string_view value);

private:
    // Creates the folder when missing; the write itself keeps the rest of the file.
    bool write(std::string_view section, std::string_view key, std::string_view value);

    std::filesystem::path file_;
};

} // namespace kw
