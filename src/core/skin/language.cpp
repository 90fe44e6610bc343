#include "core/skin/language.h"

#include "core/base/ini_file.h"
#include "core/base/settings_store.h"
#include "core/skin/text_keys.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace kw {

namespace {

constexpr std::uint16_t kEnglishUs = 1033;    // 0x0409
constexpr std::uint16_t kPortugueseBr = 1046; // 0x0416
constexpr std::string_view kLanguageValue = "LANGUAGE";
constexpr std::string_view kMissingText = "#Error";

// Position = language index. The third position holds 0 and is never chosen.
constexpr std::array<std::uint16_t, 3> kLanguageTable = {kEnglishUs, kPortugueseBr, 0};

struct LocaleId {
    std::string_view language;
    std::string_view country; // empty: the id of the language alone
    std::uint16_t id;
};

// Windows language ids of the locales a user is likely to run.
constexpr LocaleId kLocaleIds[] = {
    {"en", "", 1033},   {"en", "US", 1033},  {"en", "GB", 2057}, {"en", "AU", 3081},
    {"en", "CA", 4105}, {"en", "NZ", 5129},  {"en", "IE", 6153}, {"en", "IN", 16393},
    {"pt", "", 1046},   {"pt", "BR", 1046},  {"pt", "PT", 2070}, {"zh", "", 2052},
    {"zh", "CN", 2052}, {"zh", "TW", 1028},  {"zh", "HK", 3076}, {"zh", "SG", 4100},
    {"zh", "MO", 5124}, {"de", "", 1031},    {"de", "DE", 1031}, {"de", "CH", 2055},
    {"de", "AT", 3079}, {"fr", "", 1036},    {"fr", "FR", 1036}, {"fr", "BE", 2060},
    {"fr", "CA", 3084}, {"fr", "CH", 4108},  {"es", "", 3082},   {"es", "ES", 3082},
    {"es", "MX", 2058}, {"es", "AR", 11274}, {"it", "", 1040},   {"it", "IT", 1040},
    {"ja", "", 1041},   {"ko", "", 1042},    {"ru", "", 1049},   {"nl", "", 1043},
    {"nl", "BE", 2067}, {"pl", "", 1045},    {"sv", "", 1053},   {"tr", "", 1055},
    {"cs", "", 1029},   {"da", "", 1030},    {"fi", "", 1035},   {"nb", "", 1044},
    {"el", "", 1032},   {"hu", "", 1038},    {"uk", "", 1058},   {"ro", "", 1048},
};

std::string toCase(std::string_view text, bool upper) {
    std::string out(text);
    for (char& c : out) {
        if (upper && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (!upper && c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// One integer conversion printed with its flags, width and precision; nullopt
// when the conversion is not one that takes an integer or is unreasonably wide.
std::optional<std::string> printInteger(std::string_view flags, std::string_view width,
                                        std::string_view precision, std::string_view length,
                                        char conversion, long long value) {
    if (width.size() > 2 || precision.size() > 3) {
        return std::nullopt; // at most 99 wide and 99 digits: nothing a text needs
    }
    const std::string directive =
        "%" + std::string(flags) + std::string(width) + std::string(precision) + "ll" + conversion;
    char buffer[256];
    int written = 0;
    if (conversion == 'd' || conversion == 'i') {
        written = std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
    } else if (conversion == 'u' || conversion == 'x' || conversion == 'X' || conversion == 'o') {
        // Without a long length the argument is an unsigned int, as printf would read it.
        const unsigned long long bits = length.empty() ? static_cast<unsigned int>(value)
                                                       : static_cast<unsigned long long>(value);
        written = std::snprintf(buffer, sizeof buffer, directive.c_str(), bits);
    } else {
        return std::nullopt;
    }
    if (written < 0) {
        return std::nullopt;
    }
    return std::string(buffer,
                       std::min<std::size_t>(static_cast<std::size_t>(written), sizeof buffer - 1));
}

} // namespace

std::uint16_t languageIdOfLocale(std::string_view locale) {
    locale = locale.substr(0, locale.find_first_of(".@"));
    const auto separator = locale.find_first_of("_-");
    const std::string language = toCase(locale.substr(0, separator), false);
    const std::string country =
        separator == std::string_view::npos ? "" : toCase(locale.substr(separator + 1), true);
    std::uint16_t languageOnly = 0;
    for (const auto& entry : kLocaleIds) {
        if (entry.language != language) {
            continue;
        }
        if (entry.country == country) {
            return entry.id;
        }
        if (entry.country.empty()) {
            languageOnly = entry.id;
        }
    }
    // "C", "POSIX", unknown languages: English.
    return languageOnly != 0 ? languageOnly : kEnglishUs;
}

std::uint16_t systemDefaultLanguageId() {
    // The POSIX order: the first of these that is set and not empty decides.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(name); value && *value) {
            return languageIdOfLocale(value);
        }
    }
    return kEnglishUs;
}

Language::Language(std::filesystem::path programFolder, SettingsStore& settings,
                   SystemLanguageSource systemLanguage)
    : programFolder_(std::move(programFolder)), settings_(settings),
      systemLanguage_(std::move(systemLanguage)) {}

std::uint16_t Language::CurrentLanguageId() const {
    const auto stored = settings_.readDword(kLanguageValue);
    // A value that is no DWORD, or too large to be a language id, counts as "not chosen".
    if (stored && *stored != 0 && *stored <= 0xFFFF) {
        return static_cast<std::uint16_t>(*stored);
    }
    if (!stored || *stored > 0xFFFF) {
        settings_.writeDword(kLanguageValue, 0);
    }
    std::uint16_t id = systemLanguage_ ? systemLanguage_() : kEnglishUs;
    if (id == 3076) { // Chinese (Hong Kong)
        id = kEnglishUs;
    } else if (id == 4100) { // Chinese (Singapore)
        id = kPortugueseBr;
    }
    if (id != kEnglishUs && id != kPortugueseBr) {
        id = kEnglishUs;
    }
    settings_.writeDword(kLanguageValue, id);
    return id;
}

int Language::CurrentLanguageIndex() const {
    const auto id = CurrentLanguageId();
    for (std::size_t i = 0; i < kLanguageTable.size(); ++i) {
        if (kLanguageTable[i] == id) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

std::filesystem::path Language::languageFile(int languageIndex) const {
    // Indexes outside the table read the English file rather than past the table.
    if (languageIndex < 0 || static_cast<std::size_t>(languageIndex) >= kLanguageTable.size()) {
        languageIndex = 0;
    }
    char name[16];
    std::snprintf(name, sizeof name, "Lang%04X.ini",
                  static_cast<unsigned>(kLanguageTable[static_cast<std::size_t>(languageIndex)]));
    return programFolder_ / name;
}

std::string Language::lookup(std::string_view section, std::string_view key,
                             int languageIndex) const {
    auto result = getProfileString(languageFile(languageIndex), section, key, kMissingText);
    return result.length != 0 ? std::move(result.text) : std::string();
}

std::string Language::LookupText(std::string_view key, int languageIndex) const {
    return lookup(text_keys::kTextSection, key, languageIndex);
}

std::string Language::LookupLightText(std::string_view key, int languageIndex) const {
    return lookup(text_keys::kLightSection, key, languageIndex);
}

std::string Language::LookupModeText(std::string_view key, int languageIndex) const {
    return lookup(text_keys::kModeSection, key, languageIndex);
}

std::string Language::formatWithNumber(std::string_view format, long long value) {
    std::string out;
    bool filled = false;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            out.push_back(format[i++]);
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out.push_back('%');
            i += 2;
            continue;
        }
        std::size_t j = i + 1;
        auto span = [&](auto accept) {
            const std::size_t start = j;
            while (j < format.size() && accept(format[j])) {
                ++j;
            }
            return format.substr(start, j - start);
        };
        const auto flags =
            span([](char c) { return c == '-' || c == '+' || c == ' ' || c == '0' || c == '#'; });
        const auto width = span(isDigit);
        std::string_view precision;
        if (j < format.size() && format[j] == '.') {
            const std::size_t dot = j++;
            span(isDigit);
            precision = format.substr(dot, j - dot);
        }
        const auto length = span([](char c) { return c == 'l' || c == 'h'; });
        std::optional<std::string> printed;
        if (!filled && j < format.size() && length.size() <= 2) {
            printed = printInteger(flags, width, precision, length, format[j], value);
        }
        if (printed) {
            out += *printed;
            filled = true;
            i = j + 1;
        } else {
            out.push_back('%'); // anything else stays as written
            ++i;
        }
    }
    return out;
}

std::string Language::formatWithText(std::string_view format, std::string_view value) {
    std::string out;
    bool filled = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            out.push_back('%');
            ++i;
        } else if (!filled && format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            out += value;
            filled = true;
            ++i;
        } else {
            out.push_back(format[i]);
        }
    }
    return out;
}

} // namespace kw
