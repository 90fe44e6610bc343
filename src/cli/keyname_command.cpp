#include "cli/command_functions.h"
#include "core/base/settings_store.h"
#include "core/keys/key_names.h"
#include "core/skin/language.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace kw::cli {

namespace {

// "0x147" (any case) or "327"; nullopt for anything else, including signs,
// blanks, trailing characters and values beyond 16 bits.
std::optional<KeyCode> parseKeyCode(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty() || text.front() == '-' || text.front() == '+') {
        return std::nullopt;
    }
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc{} || end != text.data() + text.size() || value > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<KeyCode>(value);
}

} // namespace

int runKeyName(Context& context, std::span<const std::string> args) {
    std::optional<int> languageIndex;
    std::optional<std::string> codeText;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::optional<std::string> lang;
        if (arg == "--lang") {
            if (i + 1 >= args.size()) {
                return fail(context, kExitUsage, "keyname: --lang needs 0 or 1");
            }
            lang = args[++i];
        } else if (arg.rfind("--lang=", 0) == 0) {
            lang = arg.substr(7);
        } else if (arg.rfind("--", 0) == 0) {
            return fail(context, kExitUsage, "keyname: unknown option " + arg);
        } else if (codeText) {
            return fail(context, kExitUsage, "keyname: one key code only");
        } else {
            codeText = arg;
        }
        if (lang) {
            if (*lang != "0" && *lang != "1") {
                return fail(context, kExitUsage,
                            "keyname: --lang must be 0 (English) or 1 (Portuguese), not '" + *lang +
                                "'");
            }
            languageIndex = *lang == "1" ? 1 : 0;
        }
    }
    if (!codeText) {
        return fail(context, kExitUsage, "keyname: a key code is needed (0x147 or 327)");
    }
    const auto code = parseKeyCode(*codeText);
    if (!code) {
        return fail(context, kExitUsage,
                    "keyname: '" + *codeText + "' is not a key code from 0 to 0xFFFF");
    }

    SettingsStore settings(SettingsStore::defaultPath());
    const Language language(context.programFolder, settings);
    const int index = languageIndex ? *languageIndex : language.CurrentLanguageIndex();
    context.out << KeyNameOf(*code, language, index) << '\n';
    return kExitOk;
}

} // namespace kw::cli
