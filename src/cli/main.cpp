#include "cli/cli.h"
#include "core/base/program_files.h"
#ifndef _WIN32
#include "platform/linux_instance_notice.h"
#endif

#include <charconv>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace kw::cli {

int fail(Context& context, int code, std::string_view message) {
    context.err << "keyweave-cli: " << message << '\n';
    return code;
}

std::optional<int> parseNumber(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < low ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

namespace {

// The language files and the default lighting file: beside the program in a
// build tree, in ../share/keyweave once installed. Without either, commands
// that need no such file still work from the program's own folder.
std::filesystem::path programFolderOf(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        self = std::filesystem::absolute(argv0, ec);
    }
    return findProgramFiles(self.parent_path()).folder.value_or(self.parent_path());
}

void printHelp(std::ostream& out) {
    out << "Usage: keyweave-cli [--simulate[=STATEFILE] | --hid-root DIR] [--trace] COMMAND "
           "[ARGS...]\n\n"
           "Configures the keyboard from the command line.\n\n"
           "Options:\n"
           "  --simulate[=STATEFILE]  use the simulated keyboard (its memory kept in STATEFILE)\n"
           "  --hid-root DIR          look for hidraw devices under DIR instead of /\n"
           "  --trace                 print every report written and read on stderr\n"
           "  --help                  show this help\n\n"
           "Commands:\n";
    for (const auto& c : commands()) {
        std::string head = "  " + std::string(c.name) + " " + std::string(c.usage);
        out << head << "\n      " << c.summary << '\n';
    }
}

} // namespace

} // namespace kw::cli

int main(int argc, char** argv) {
    using namespace kw::cli;
    Context context{{}, programFolderOf(argv[0]), std::cout, std::cerr};
    std::vector<std::string> args(argv + 1, argv + argc);

    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            printHelp(std::cout);
            return kExitOk;
        } else if (a == "--simulate") {
            context.options.simulate = true;
        } else if (a.rfind("--simulate=", 0) == 0) {
            context.options.simulate = true;
            context.options.simulateState = a.substr(std::string("--simulate=").size());
        } else if (a == "--hid-root") {
            if (i + 1 >= args.size()) {
                return fail(context, kExitUsage, "--hid-root needs a folder");
            }
            context.options.hidRoot = args[++i];
        } else if (a == "--trace") {
            context.options.trace = true;
        } else if (a.rfind("--", 0) == 0) {
            return fail(context, kExitUsage, "unknown option " + a + " (see --help)");
        } else {
            break;
        }
    }
    if (context.options.simulate && context.options.hidRoot) {
        return fail(context, kExitUsage, "--simulate and --hid-root exclude each other");
    }
    if (i >= args.size()) {
        printHelp(std::cerr);
        return kExitUsage;
    }
    const std::string& name = args[i];
    for (const auto& c : commands()) {
        if (c.name == name) {
            std::span<const std::string> rest(args.data() + i + 1, args.size() - i - 1);
            const int code = c.run(context, rest);
            // After the keyboard lock is given up, so the window can read at once.
            // A window on the simulated keyboard has a keyboard of its own.
#ifndef _WIN32
            if (context.keyboardChanged && !context.options.simulate) {
                kw::notifyRunningWindow("CHANGED");
            }
#endif
            return code;
        }
    }
    return fail(context, kExitUsage, "unknown command " + name + " (see --help)");
}
