#pragma once
// Language text tables: every user-visible text is looked up by key in the
// language file beside the executable. Nothing is cached: each lookup reads
// the stored language and the file again.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace kw {

class SettingsStore;

// The Windows language id of the user's locale (LC_ALL, LC_MESSAGES, LANG), 1033 when unknown.
std::uint16_t systemDefaultLanguageId();
// The Windows language id of one locale name ("pt_BR.UTF-8", "de", "C"), 1033 when unknown.
std::uint16_t languageIdOfLocale(std::string_view locale);

class Language {
public:
    using SystemLanguageSource = std::function<std::uint16_t()>;

    Language(std::filesystem::path programFolder, SettingsStore& settings,
             SystemLanguageSource systemLanguage = systemDefaultLanguageId);

    // The stored language id, chosen from the system language and stored first when it is 0.
    std::uint16_t CurrentLanguageId() const;
    // 0 (English) or 1 (Brazilian Portuguese): the position of the id in the language table.
    int CurrentLanguageIndex() const;

    // "#Error" when the key or the file is missing; empty when the key is present but empty.
    std::string LookupText(std::string_view key, int languageIndex) const;      // "TEXT"
    std::string LookupLightText(std::string_view key, int languageIndex) const; // "LIGHT"
    std::string LookupModeText(std::string_view key, int languageIndex) const;  // "MODE"

    // The same in the current language.
    std::string text(std::string_view key) const { return LookupText(key, CurrentLanguageIndex()); }

    // A text that carries a number, used as a format with one integer ("%d").
    // Only the first integer conversion is filled; any other text, "%s" included, stays.
    static std::string formatWithNumber(std::string_view format, long long value);
    // A text that carries a path or a name: the first "%s" is replaced by `value`.
    static std::string formatWithText(std::string_view format, std::string_view value);

    std::filesystem::path languageFile(int languageIndex) const;
    const std::filesystem::path& programFolder() const { return programFolder_; }

private:
    std::string lookup(std::string_view section, std::string_view key, int languageIndex) const;

    std::filesystem::path programFolder_;
    SettingsStore& settings_;
    SystemLanguageSource systemLanguage_;
};

} // namespace kw
