#pragma once
// The command-line front end: global options, the command table and the
// context every command runs in.

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kw::cli {

// Exit codes shared by every command.
enum ExitCode : int {
    kExitOk = 0,
    kExitNegative = 1,   // the answer is "no" (for example an invalid file)
    kExitUsage = 2,      // bad arguments or a file that cannot be opened
    kExitNoKeyboard = 3, // no keyboard found
};

struct GlobalOptions {
    bool simulate = false;
    std::optional<std::filesystem::path> simulateState; // --simulate=STATEFILE
    std::optional<std::filesystem::path> hidRoot;       // --hid-root DIR
    bool trace = false;
};

struct Context {
    GlobalOptions options;
    std::filesystem::path programFolder; // where the language files and skin live
    std::ostream& out;
    std::ostream& err;
    // Set when the command wrote to the keyboard, so a running window is told.
    bool keyboardChanged = false;
};

using CommandFunction = int (*)(Context& context, std::span<const std::string> args);

struct Command {
    std::string_view name;
    std::string_view usage;   // arguments after the name
    std::string_view summary; // one line for --help
    CommandFunction run;
};

std::span<const Command> commands();

// A decimal number within [low, high]; nullopt for anything else.
std::optional<int> parseNumber(std::string_view text, int low, int high);

// One line on stderr, prefixed with the program name; returns `code`.
int fail(Context& context, int code, std::string_view message);

} // namespace kw::cli
