// read, dump (from the keyboard), import, export, set-key, profile, backup
// and boot: the keyboard's configuration from the command line.

#include "cli/cli_session.h"
#include "cli/command_functions.h"
#include "cli/config_json.h"
#include "cli/process_launcher.h"
#include "core/base/text.h"
#include "core/config/config_file.h"
#include "core/config/profile_file.h"
#include "core/keys/key_name_lookup.h"
#include "core/keys/media_keys.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/current_profile.h"
#include "core/sync/firmware_handoff.h"
#include "core/sync/keyboard_refresh.h"
#include "core/sync/profile_switch.h"
#include "core/sync/profile_transfer.h"

#include <charconv>
#include <mutex>
#include <optional>
#include <ostream>
#include <system_error>
#include <vector>

namespace kw::cli {

namespace {

bool isFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// The image's assigned keys per profile, for the summary of `read`.
int assignedKeys(const ConfigImage& image, int group) {
    int count = 0;
    for (const KeyEntry& e : groupEntries(*image.block, group)) {
        count += e.type != KeyEntryType::KeyDefault ? 1 : 0;
    }
    return count;
}

void printSummary(Context& context, CliSession& session, const std::filesystem::path& file) {
    const ConfigImage& image = session.config();
    std::lock_guard guard(image.lock);
    context.out << "configuration: " << file.string() << '\n'
                << "active profile: " << session.keyboard().currentProfile << '\n'
                << "macros: " << image.macroCount() << '\n';
    for (int p = 0; p < kProfileCount; ++p) {
        context.out << "profile " << p << ": " << assignedKeys(image, p) << " keys assigned\n";
    }
}

// What set-key stores: the fields the key function editor's commit writes.
struct KeyFunction {
    KeyEntryType type = KeyEntryType::KeyDefault;
    std::uint32_t value = 0;
    std::string macroName; // for KeyMacro: resolved once the macros are read
    std::optional<int> cycles;
};

std::optional<KeyFunction> parseKeyFunction(std::string_view text, std::string& error) {
    const auto colon = text.find(':');
    const std::string_view kind = text.substr(0, colon);
    const std::string_view rest = colon == std::string_view::npos ? "" : text.substr(colon + 1);
    KeyFunction f;
    if (text == "default") {
        return f;
    }
    if (text == "disabled") {
        f.type = KeyEntryType::KeyDisabled;
        return f;
    }
    if (kind == "mouse") {
        static constexpr std::pair<std::string_view, KeyCode> kMouse[] = {{"left", 0x171},
                                                                          {"right", 0x172},
                                                                          {"middle", 0x173},
                                                                          {"wheel-up", 0x161},
                                                                          {"wheel-down", 0x162}};
        for (const auto& [name, code] : kMouse) {
            if (rest == name) {
                return KeyFunction{KeyEntryType::KeySingle, code, {}, {}};
            }
        }
        error =
            "mouse:" + std::string(rest) + " is not left, right, middle, wheel-up or wheel-down";
        return std::nullopt;
    }
    if (kind == "media" || kind == "function") {
        const bool media = kind == "media";
        const int last = (media ? kMediaKeyCount : kFunctionKeyCount) - 1;
        const auto n = parseNumber(rest, 0, last);
        if (!n) {
            error = std::string(kind) + ":N needs N from 0 to " + std::to_string(last);
            return std::nullopt;
        }
        f.type = media ? KeyEntryType::KeyMedia : KeyEntryType::KeyFunction;
        f.value = static_cast<std::uint32_t>(*n);
        return f;
    }
    if (kind == "macro") {
        // NAME[:CYCLES]; a name may itself hold colons.
        std::string_view name = rest;
        if (const auto last = rest.rfind(':'); last != std::string_view::npos) {
            const auto cycles = parseNumber(rest.substr(last + 1), 1, 255);
            if (!cycles) {
                error = "macro:NAME:CYCLES needs CYCLES from 1 to 255";
                return std::nullopt;
            }
            f.cycles = cycles;
            name = rest.substr(0, last);
        }
        if (name.empty()) {
            error = "macro:NAME needs the name of a macro";
            return std::nullopt;
        }
        f.type = KeyEntryType::KeyMacro;
        f.macroName = std::string(name);
        return f;
    }
    const KeyCode code = KeyCodeOfListName(text);
    if (code == kNoKey) {
        error = "unknown function '" + std::string(text) +
                "' (default, disabled, a key name, mouse:..., media:N, function:N, "
                "macro:NAME[:CYCLES])";
        return std::nullopt;
    }
    return KeyFunction{KeyEntryType::KeySingle, code, {}, {}};
}

// Writes the entry as the key function editor's commit does: type, keyId
// and value; mark and extra stay; the entry's string goes.
bool storeKeyFunction(ConfigImage& image, int group, std::uint16_t keyIndex, KeyFunction f,
                      std::string& error) {
    std::lock_guard guard(image.lock);
    KeyEntry* entry = image.entry(group, keyIndex);
    if (!entry) {
        error = "the configuration has no entry for that key";
        return false;
    }
    std::uint16_t keyId = gKeyIdentity(keyIndex);
    if (f.type == KeyEntryType::KeyMacro) {
        const std::u16string wanted = utf8ToUtf16(f.macroName);
        const MacroRecord* macro = nullptr;
        for (const MacroRecord& m : image.macros) {
            if (m.nameView() == wanted) {
                macro = &m;
                break;
            }
        }
        if (!macro) {
            error = "no macro named '" + f.macroName + "'";
            return false;
        }
        f.value = macro->macroId;
        keyId = static_cast<std::uint16_t>(f.cycles.value_or(std::max(1, int{macro->repeatCount})));
    }
    // A key given its own function is back at its default.
    if (f.type == KeyEntryType::KeySingle &&
        KeyIndexOf(static_cast<KeyCode>(f.value)) == keyIndex) {
        f = KeyFunction{};
    }
    image.clearString(entryNumber(group, keyIndex));
    entry->type = f.type;
    entry->keyId = keyId;
    entry->value = f.value;
    return true;
}

} // namespace

int runRead(Context& context, std::span<const std::string> args) {
    std::optional<std::filesystem::path> out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size() && !out) {
            out = args[++i];
        } else {
            return fail(context, kExitUsage,
                        "read: unexpected argument " + args[i] + " (read [--out FILE])");
        }
    }
    CliSession session(context, false);
    if (!out) {
        if (const int code = session.connect(); code != kExitOk) {
            return code;
        }
        printSummary(context, session, session.sync().configFile());
        return kExitOk;
    }
    if (const int code = session.connect(false); code != kExitOk) {
        return code;
    }
    if (ReadConfigurationFromKeyboard(session.sync(), *out) != 1 ||
        LoadConfigurationFile(session.config(), *out) != 1) {
        return fail(context, kExitNegative, "read: cannot read the keyboard into " + out->string());
    }
    printSummary(context, session, *out);
    return kExitOk;
}

int runDumpKeyboard(Context& context) {
    CliSession session(context, false);
    if (const int code = session.connect(); code != kExitOk) {
        return code;
    }
    std::lock_guard guard(session.config().lock);
    context.out << configurationJson(session.config(), session.language()).dump(2) << '\n';
    return kExitOk;
}

int runImport(Context& context, std::span<const std::string> args) {
    if (args.size() != 1) {
        return fail(context, kExitUsage, "import: one profile file is needed");
    }
    const std::filesystem::path file = args[0];
    if (!isFile(file)) {
        return fail(context, kExitUsage, "import: cannot open " + file.string());
    }
    {
        // Checked before the keyboard is touched, so a bad file changes nothing.
        SettingsStore settings(SettingsStore::defaultPath());
        const Language language(context.programFolder, settings);
        CollectingPrompter quiet;
        const int check = ValidateProfileFile(file, quiet, language);
        if (check == kProfileUnopenable) {
            return fail(context, kExitUsage,
                        "import: cannot open " + file.string() + " for reading and writing");
        }
        if (check != kProfileValid) {
            return fail(context, kExitNegative,
                        "import: " + (quiet.messages.empty() ? file.string() + " is not usable"
                                                             : quiet.messages.front()));
        }
    }
    CliSession session(context, false);
    if (const int code = session.connect(); code != kExitOk) {
        return code;
    }
    if (ImportProfileFile(session.sync(), file) != 1) {
        return fail(context, kExitNegative, "import: the keyboard did not take " + file.string());
    }
    context.out << "imported " << file.string() << '\n';
    return kExitOk;
}

int runExport(Context& context, std::span<const std::string> args) {
    if (args.size() != 1) {
        return fail(context, kExitUsage, "export: one file name is needed");
    }
    CliSession session(context, false);
    if (const int code = session.connect(); code != kExitOk) {
        return code;
    }
    if (ExportProfileFile(session.config(), args[0]) != 1) {
        return fail(context, kExitUsage, "export: cannot write " + args[0]);
    }
    return kExitOk;
}

int runSetKey(Context& context, std::span<const std::string> args) {
    std::optional<int> profile;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--profile") {
            profile =
                i + 1 < args.size() ? parseNumber(args[++i], 0, kProfileCount - 1) : std::nullopt;
            if (!profile) {
                return fail(context, kExitUsage, "set-key: --profile needs 0, 1 or 2");
            }
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        return fail(context, kExitUsage, "set-key: KEY and FUNCTION are needed");
    }
    const KeyCode key = KeyCodeOfName(positional[0]);
    if (key == kNoKey) {
        return fail(context, kExitUsage,
                    "set-key: unknown key '" + positional[0] + "' (a key name or G1..G9)");
    }
    std::string error;
    const auto function = parseKeyFunction(positional[1], error);
    if (!function) {
        return fail(context, kExitUsage, "set-key: " + error);
    }

    CliSession session(context, false);
    if (const int code = session.connect(); code != kExitOk) {
        return code;
    }
    const int active = CurrentProfile(session.transport(), session.keyboard());
    const int group = profile.value_or(active);
    if (group < 0 || group >= kProfileCount) {
        return fail(context, kExitNegative, "set-key: the keyboard's active profile is not known");
    }
    if (!storeKeyFunction(session.config(), group, KeyIndexOf(key), *function, error)) {
        return fail(context, kExitUsage, "set-key: " + error);
    }
    session.modified().set();
    return group == active ? session.apply() : session.applyAllProfiles();
}

int runProfile(Context& context, std::span<const std::string> args) {
    if (args.size() > 1) {
        return fail(context, kExitUsage, "profile: at most one profile number");
    }
    std::optional<int> wanted;
    if (!args.empty()) {
        wanted = parseNumber(args[0], 0, kProfileCount - 1);
        if (!wanted) {
            return fail(context, kExitUsage, "profile: '" + args[0] + "' is not 0, 1 or 2");
        }
    }
    CliSession session(context, false);
    if (const int code = session.connect(false); code != kExitOk) {
        return code;
    }
    if (wanted) {
        ProfileSwitcher switcher(session.sync(), {{}, {}, {}, [&] { session.apply(); }});
        switcher.SelectProfile(*wanted);
        if (session.keyboard().currentProfile != *wanted) {
            return fail(context, kExitNegative, "profile: the keyboard did not switch");
        }
    }
    const int active = CurrentProfile(session.transport(), session.keyboard());
    if (active < 0) {
        return fail(context, kExitNoKeyboard, "profile: the keyboard does not tell its profile");
    }
    context.out << active << '\n';
    return kExitOk;
}

int runBackup(Context& context, std::span<const std::string> args) {
    if (args.size() != 1) {
        return fail(context, kExitUsage, "backup: one file name is needed");
    }
    CliSession session(context, false);
    if (const int code = session.connect(); code != kExitOk) {
        return code;
    }
    return BackupConfiguration(session.config(), args[0], session.prompter(), session.language()) ==
                   1
               ? kExitOk
               : kExitNegative;
}

int runBoot(Context& context, std::span<const std::string> args) {
    std::vector<std::string> rest(args.begin(), args.end());
    const bool confirmed = takeFlag(rest, "--yes");
    if (rest.size() != 1) {
        return fail(context, kExitUsage, "boot: one update program is needed");
    }
    if (!confirmed) {
        return fail(context, kExitUsage,
                    "boot: this puts the keyboard into its boot mode; add --yes to go ahead");
    }
    std::filesystem::path program = rest[0];
    if (!isFile(program)) {
        return fail(context, kExitUsage, "boot: " + program.string() + " is not a program file");
    }
    CliSession session(context, true);
    if (const int code = session.connect(false); code != kExitOk) {
        return code;
    }
    ProcessLauncher launcher;
    const UpdateOutcome outcome = StartFirmwareUpdate(session.transport(), program, launcher,
                                                      session.prompter(), session.language());
    return outcome == UpdateOutcome::Launched ? kExitOk : kExitNegative;
}

} // namespace kw::cli
