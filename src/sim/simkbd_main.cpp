// keyweave-simkbd: the simulated keyboard as a hidraw tree in a FUSE mount.

#include "sim/fuse_hidraw_tree.h"
#include "sim/keyboard_memory.h"

#include <iostream>
#include <optional>
#include <string>

namespace {

int usage() {
    std::cerr << "Usage: keyweave-simkbd --mount DIR [--state FILE]\n\n"
                 "Presents a simulated keyboard under DIR as DIR/sys/class/hidraw and DIR/dev.\n"
                 "Its memory is kept in FILE (created when missing). Write lines such as\n"
                 "\"unplug\", \"plug\", \"event 0x1811\", \"drop 4\", \"status 3 0xFE\",\n"
                 "\"delay 50\", \"unplug-after 3\", \"deny\" or \"allow\" (the nodes refuse to\n"
                 "open, as without the udev rule, or open again) to DIR/control to drive it.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<std::filesystem::path> mount;
    std::optional<std::filesystem::path> stateFile;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--mount" || a == "--state") && i + 1 < argc) {
            (a == "--mount" ? mount : stateFile) = argv[++i];
        } else {
            return usage();
        }
    }
    if (!mount) {
        return usage();
    }
    using namespace kw::sim;
    KeyboardMemory memory = KeyboardMemory::factory();
    if (stateFile) {
        if (std::filesystem::exists(*stateFile)) {
            auto loaded = loadMemory(*stateFile);
            if (!loaded) {
                std::cerr << "keyweave-simkbd: " << stateFile->string()
                          << " is not a simulated keyboard state file\n";
                return 1;
            }
            memory = std::move(*loaded);
        } else if (!saveMemory(*stateFile, memory)) {
            std::cerr << "keyweave-simkbd: cannot create " << stateFile->string() << '\n';
            return 1;
        }
    }
    SimulatedKeyboard keyboard(std::move(memory));
    const int result = serveFuseHidrawTree(keyboard, *mount);
    if (result != 0) {
        std::cerr << "keyweave-simkbd: cannot mount on " << mount->string()
                  << " (is /dev/fuse usable?)\n";
    }
    if (stateFile && !saveMemory(*stateFile, keyboard.memory())) {
        std::cerr << "keyweave-simkbd: cannot save " << stateFile->string() << '\n';
        return 1;
    }
    return result;
}
