// validate, new and dump: profile and configuration files from the command line.

#include "cli/command_functions.h"
#include "cli/config_json.h"
#include "core/base/atomic_file.h"
#include "core/base/prompter.h"
#include "core/base/settings_store.h"
#include "core/config/config_file.h"
#include "core/config/profile_file.h"
#include "core/skin/language.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <system_error>

namespace kw::cli {

namespace {

// Messages of the core go to stderr; questions are answered No.
class StderrPrompter : public Prompter {
public:
    explicit StderrPrompter(std::ostream& err) : err_(err) {}
    bool askYesNo(const std::string& text) override {
        err_ << text << '\n';
        return false;
    }
    void showMessage(const std::string& text) override { err_ << text << '\n'; }

private:
    std::ostream& err_;
};

bool fileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace

int runValidate(Context& context, std::span<const std::string> args) {
    if (args.size() != 1) {
        return fail(context, kExitUsage, "validate: one profile file is needed");
    }
    const std::filesystem::path file = args[0];
    if (!fileExists(file)) {
        return fail(context, kExitUsage, "validate: cannot open " + file.string());
    }
    SettingsStore settings(SettingsStore::defaultPath());
    const Language language(context.programFolder, settings);
    StderrPrompter prompter(context.err);
    switch (ValidateProfileFile(file, prompter, language)) {
    case kProfileValid:
        context.out << "valid\n";
        return kExitOk;
    case kProfileUnopenable:
        return fail(context, kExitUsage,
                    "validate: cannot open " + file.string() + " for reading and writing");
    case kProfileOutOfMemory:
        context.err << "keyweave-cli: validate: " << file.string() << " is too large\n";
        break;
    default:
        break;
    }
    context.out << "invalid\n";
    return kExitNegative;
}

int runNew(Context& context, std::span<const std::string> args) {
    bool force = false;
    std::optional<std::filesystem::path> file;
    for (const auto& a : args) {
        if (a == "--force") {
            force = true;
        } else if (!file && a.rfind("--", 0) != 0) {
            file = a;
        } else {
            return fail(context, kExitUsage, "new: unexpected argument " + a);
        }
    }
    if (!file) {
        return fail(context, kExitUsage, "new: a file name is needed");
    }
    std::error_code ec;
    if (!force && std::filesystem::exists(*file, ec)) {
        return fail(context, kExitUsage,
                    "new: " + file->string() + " exists (--force replaces it)");
    }
    if (WriteNewProfileFile(*file) != 1) {
        return fail(context, kExitUsage, "new: cannot write " + file->string());
    }
    return kExitOk;
}

int runDump(Context& context, std::span<const std::string> args) {
    if (args.empty()) {
        return runDumpKeyboard(context);
    }
    if (args.size() != 1) {
        return fail(context, kExitUsage, "dump: one configuration or profile file is needed");
    }
    const std::filesystem::path file = args[0];
    const auto bytes = fileExists(file) ? readFileBytes(file, kConfigurationFileMax) : std::nullopt;
    if (!bytes) {
        return fail(context, kExitUsage, "dump: cannot read " + file.string());
    }
    auto image = std::make_unique<ConfigImage>();
    if (!loadConfigurationBytes(*image, *bytes)) {
        return fail(context, kExitNegative,
                    "dump: " + file.string() + " does not hold what its header declares");
    }
    SettingsStore settings(SettingsStore::defaultPath());
    const Language language(context.programFolder, settings);
    context.out << configurationJson(*image, language).dump(2) << '\n';
    return kExitOk;
}

} // namespace kw::cli
