#include "core/device/access_help.h"

namespace kw {

namespace {

// Single quotes keep every character but the quote itself, which is closed,
// escaped and reopened.
std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace

std::string accessRuleCommands(const std::filesystem::path& ruleFile) {
    return "sudo cp " + shellQuoted(ruleFile.string()) +
           " /etc/udev/rules.d/\n"
           "sudo udevadm control --reload\n"
           "sudo udevadm trigger";
}

} // namespace kw
