#include "core/base/settings_store.h"

#include "core/base/environment.h"
#include "core/base/ini_cache.h"
#include "core/base/ini_file.h"
#include "core/base/text.h"

#include <charconv>
#include <system_error>

namespace kw {

namespace {

// The registry values of the product key; the application-profile sections
// ("PROFILES", ...) sit beside it in the same file.
constexpr std::string_view kProductKeySection = "ProductKey";
constexpr std::string_view kDwordPrefix = "dword:";

} // namespace

std::filesystem::path SettingsStore::defaultPath() {
    return userConfigHome() / "keyweave" / "settings.ini";
}

SettingsStore::SettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<std::uint32_t> SettingsStore::readDword(std::string_view name) const {
    const auto value = CachedIniDocument(file_)->value(kProductKeySection, name);
    if (!value || value->size() <= kDwordPrefix.size() ||
        !equalsIgnoreCase(std::string_view(*value).substr(0, kDwordPrefix.size()), kDwordPrefix)) {
        return std::nullopt;
    }
    const char* first = value->data() + kDwordPrefix.size();
    const char* last = value->data() + value->size();
    std::uint32_t number = 0;
    const auto [end, ec] = std::from_chars(first, last, number);
    if (ec != std::errc() || end != last) {
        return std::nullopt;
    }
    return number;
}

bool SettingsStore::writeDword(std::string_view name, std::uint32_t value) {
    return write(kProductKeySection, name, std::string(kDwordPrefix) + std::to_string(value));
}

bool SettingsStore::writeString(std::string_view name, std::string_view value) {
    return write(kProductKeySection, name, "sz:" + std::string(value));
}

std::string SettingsStore::readProfileString(std::string_view section, std::string_view key,
                                             std::string_view fallback) const {
    auto value = CachedIniDocument(file_)->value(section, key);
    return value ? std::move(*value) : std::string(fallback);
}

int SettingsStore::readProfileInt(std::string_view section, std::string_view key,
                                  int fallback) const {
    const auto value = CachedIniDocument(file_)->value(section, key);
    if (!value) {
        return fallback;
    }
    // Like the application-profile call: the leading number, 0 when there is none.
    const auto text = trimBlanks(*value);
    int number = 0;
    const char* first = text.data();
    if (!text.empty() && text.front() == '+') {
        ++first;
    }
    const auto [end, ec] = std::from_chars(first, text.data() + text.size(), number);
    return ec == std::errc() ? number : 0;
}

bool SettingsStore::writeProfileString(std::string_view section, std::string_view key,
                                       std::string_view value) {
    return write(section, key, value);
}

bool SettingsStore::write(std::string_view section, std::string_view key, std::string_view value) {
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    return kw::writeProfileString(file_, section, key, value);
}

} // namespace kw
