#pragma once
// The command line of keyweave: the keyboard options shared with
// keyweave-cli, --screenshot, and the instance switches "/Start" and "/Kill",
// which are compared whole and without regard to case and kept in the order
// given. Anything else is ignored, as other programs may pass their own.

#include "sim/keyboard_backend.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kw::app {

enum class InstanceSwitch { Start, Kill };

struct CommandLine {
    sim::KeyboardBackendChoice keyboard;
    std::optional<std::filesystem::path> screenshot;
    // Prints the window's button count and the resident memory once it is
    // ready, then quits (for the start-up benchmark).
    bool measureStartup = false;
    std::vector<InstanceSwitch> switches;
    // Set when one of our own options is malformed (--hid-root without a folder).
    std::string error;
};

// `args` are the arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& args);

} // namespace kw::app
