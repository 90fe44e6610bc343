#include "gui/app/command_line.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace kw::app {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// "--name=VALUE" or "--name VALUE"; advances `i` past a separate value.
std::optional<std::string> valueOf(const std::vector<std::string>& args, std::size_t& i,
                                   std::string_view name) {
    const std::string& arg = args[i];
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    if (arg == name && i + 1 < args.size()) {
        return args[++i];
    }
    return std::nullopt;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (equalsIgnoringCase(arg, "/Kill")) {
            line.switches.push_back(InstanceSwitch::Kill);
        } else if (equalsIgnoringCase(arg, "/Start")) {
            line.switches.push_back(InstanceSwitch::Start);
        } else if (arg == "--simulate") {
            line.keyboard.simulate = true;
        } else if (arg.rfind("--simulate=", 0) == 0) {
            line.keyboard.simulate = true;
            line.keyboard.simulateState = arg.substr(std::string_view("--simulate=").size());
        } else if (arg == "--measure-startup") {
            line.measureStartup = true;
        } else if (arg.rfind("--hid-root", 0) == 0) {
            if (auto value = valueOf(args, i, "--hid-root"); value && !value->empty()) {
                line.keyboard.hidRoot = *value;
            } else {
                line.error = "--hid-root needs a folder";
            }
        } else if (arg.rfind("--screenshot", 0) == 0) {
            if (auto value = valueOf(args, i, "--screenshot"); value && !value->empty()) {
                line.screenshot = *value;
            } else {
                line.error = "--screenshot needs a file name";
            }
        }
    }
    return line;
}

} // namespace kw::app
