// macro list | add | delete: the keyboard's macros from the command line,
// edited with the macro editor's own rules and committed and applied as the
// key function editor's Apply does.

#include "cli/cli_session.h"
#include "cli/command_functions.h"
#include "core/base/text.h"
#include "core/config/config_file.h"
#include "core/macros/decimal_text.h"
#include "core/macros/macro_commit.h"
#include "core/macros/macro_text.h"
#include "core/macros/macro_working_set.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/current_profile.h"

#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <vector>

namespace kw::cli {

namespace {

int indexOfName(const MacroWorkingSet& set, std::u16string_view name) {
    const std::vector<MacroRecord>& macros = set.macros();
    for (std::size_t i = 0; i < macros.size(); ++i) {
        if (macros[i].nameView() == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Writes what the commit changed. Key tables name macros by their place in the
// list, so a commit that moved macros or changed keys of another profile needs
// every profile written, not only the active one.
int applyCommit(CliSession& session, const MacroCommitResult& commit) {
    session.modified().set();
    const int active = CurrentProfile(session.transport(), session.keyboard());
    if (!commit.needsAllProfiles(active)) {
        return session.apply();
    }
    return session.applyAllProfiles();
}

int listMacros(Context& context, std::span<const std::string> args) {
    if (!args.empty()) {
        return fail(context, kExitUsage, "macro list: unexpected argument " + args[0]);
    }
    CliSession session(context, false);
    if (const int code = session.connect(); code != kExitOk) {
        return code;
    }
    nlohmann::json list = nlohmann::json::array();
    {
        const ConfigImage& image = session.config();
        std::lock_guard guard(image.lock);
        for (const MacroRecord& m : image.macros) {
            list.push_back({{"name", utf16ToUtf8(m.nameView())},
                            {"macroId", m.macroId},
                            {"cycles", m.repeatCount},
                            {"actions", FormatMacroActions(m.usedActions())}});
        }
    }
    context.out << list.dump(2) << '\n';
    return kExitOk;
}

int addMacro(Context& context, std::span<const std::string> args) {
    std::optional<long long> cycles = 1;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--cycles") {
            cycles = i + 1 < args.size() ? ParseDecimal(args[++i]) : std::nullopt;
            if (!cycles || *cycles < 1 || *cycles > kCyclesMax) {
                return fail(context, kExitUsage, "macro add: --cycles needs 1 to 255");
            }
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        return fail(context, kExitUsage, "macro add: NAME and ACTIONS are needed");
    }
    const std::u16string name = utf8ToUtf16(positional[0]);
    if (name.empty() || name.size() >= kMacroNameChars) {
        return fail(context, kExitUsage, "macro add: a name has 1 to 249 characters");
    }
    const ParsedMacroActions parsed = ParseMacroActions(positional[1]);
    if (!parsed.ok()) {
        return fail(context, kExitUsage, "macro add: " + parsed.error);
    }

    CliSession session(context, false);
    if (const int code = session.connect(); code != kExitOk) {
        return code;
    }
    CollectingPrompter messages;
    MacroWorkingSet set(session.config(), session.language(), messages);
    set.LoadMacroList();
    if (indexOfName(set, name) >= 0) {
        return fail(context, kExitUsage,
                    "macro add: there is already a macro named '" + positional[0] + "'");
    }
    if (set.AddMacro() != 1) {
        return fail(context, kExitNegative,
                    "macro add: " + (messages.messages.empty() ? std::string("out of memory")
                                                               : messages.messages.back()));
    }
    set.RenameMacro(name);
    for (const MacroAction& action : parsed.actions) {
        set.InsertAction(action, InsertOptions{.keepDelay = true});
    }
    set.SetCycles(std::to_string(*cycles));
    const MacroCommitResult commit = CommitMacroList(set);
    if (commit.result != 1) {
        return fail(context, kExitNegative, "macro add: out of memory");
    }
    if (const int code = applyCommit(session, commit); code != kExitOk) {
        return code;
    }
    context.out << "added macro '" << positional[0] << "' (id " << set.macros().back().macroId
                << ", " << parsed.actions.size() << " actions)\n";
    return kExitOk;
}

int deleteMacro(Context& context, std::span<const std::string> args) {
    std::vector<std::string> rest(args.begin(), args.end());
    const bool yes = takeFlag(rest, "--yes");
    if (rest.size() != 1) {
        return fail(context, kExitUsage, "macro delete: NAME is needed");
    }
    CliSession session(context, yes);
    if (const int code = session.connect(); code != kExitOk) {
        return code;
    }
    MacroWorkingSet set(session.config(), session.language(), session.prompter());
    set.LoadMacroList();
    const int index = indexOfName(set, utf8ToUtf16(rest[0]));
    if (index < 0) {
        return fail(context, kExitUsage, "macro delete: no macro named '" + rest[0] + "'");
    }
    set.SelectMacro(index);
    if (set.DeleteMacro() != 1) {
        return fail(context, kExitNegative,
                    "macro delete: '" + rest[0] + "' kept (--yes deletes it and resets its keys)");
    }
    const MacroCommitResult commit = CommitMacroList(set);
    if (commit.result != 1) {
        return fail(context, kExitNegative, "macro delete: out of memory");
    }
    if (const int code = applyCommit(session, commit); code != kExitOk) {
        return code;
    }
    context.out << "deleted macro '" << rest[0] << "'";
    if (!commit.bindings.reset.empty()) {
        context.out << "; " << commit.bindings.reset.size() << " keys back at their default";
    }
    context.out << '\n';
    return kExitOk;
}

} // namespace

int runMacro(Context& context, std::span<const std::string> args) {
    if (args.empty()) {
        return fail(context, kExitUsage, "macro: list, add or delete is needed");
    }
    const std::string& verb = args[0];
    const auto rest = args.subspan(1);
    if (verb == "list") {
        return listMacros(context, rest);
    }
    if (verb == "add") {
        return addMacro(context, rest);
    }
    if (verb == "delete") {
        return deleteMacro(context, rest);
    }
    return fail(context, kExitUsage, "macro: unknown subcommand '" + verb + "'");
}

} // namespace kw::cli
