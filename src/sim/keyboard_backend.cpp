#include "sim/keyboard_backend.h"

#include "platform/keyboard_lock_file.h"
#ifdef _WIN32
#include "platform/windows_hid_backend.h"
#else
#include "platform/linux_hidraw_backend.h"
#endif
#include "sim/keyboard_memory.h"
#include "sim/simulated_hid_backend.h"

namespace kw::sim {

KeyboardBackend chooseKeyboardBackend(const KeyboardBackendChoice& choice) {
    KeyboardBackend result;
    if (!choice.simulate) {
#ifdef _WIN32
        // The setup services list the interfaces; there is no tree to look elsewhere.
        result.backend = std::make_unique<WindowsHidBackend>();
#else
        result.backend = std::make_unique<LinuxHidrawBackend>(choice.hidRoot.value_or("/"));
#endif
        return result;
    }
    KeyboardMemory memory = KeyboardMemory::factory();
    if (choice.simulateState && std::filesystem::exists(*choice.simulateState)) {
        if (auto loaded = loadMemory(*choice.simulateState)) {
            memory = std::move(*loaded);
        } else {
            result.stateLoadFailed = true;
        }
    }
    result.keyboard = std::make_unique<SimulatedKeyboard>(std::move(memory));
    // As if an update program flashed it: the keyboard is back a moment later.
    result.keyboard->setBootModeReturn(kSimulatedUpdateTime);
    result.backend = std::make_unique<SimulatedHidBackend>(*result.keyboard);
    return result;
}

void attachKeyboardLock(KeyboardLock& lock, const KeyboardBackendChoice& choice,
                        std::function<std::string()> interfacePath) {
    std::function<std::string()> name;
    if (!choice.simulate) {
        // Relative roots name the same keyboard as absolute ones.
        name = [path = std::move(interfacePath)] {
            const std::string p = path();
            std::error_code ec;
            const auto whole =
                p.empty() ? std::filesystem::path() : std::filesystem::absolute(p, ec);
            return ec ? p : whole.string();
        };
    } else if (choice.simulateState) {
        std::error_code ec;
        auto state = std::filesystem::absolute(*choice.simulateState, ec);
        name = [state = "simulated " + (ec ? *choice.simulateState : state).string()] {
            return state;
        };
    }
    // A simulated keyboard without a state file is this process's own: its
    // lock stays inside the process (an empty name).
    lock.setFile(std::make_unique<PlatformKeyboardLockFile>(), std::move(name));
}

bool saveKeyboardState(const KeyboardBackend& backend, const KeyboardBackendChoice& choice) {
    if (!backend.keyboard || !choice.simulateState || backend.stateLoadFailed) {
        return true;
    }
    return saveMemory(*choice.simulateState, backend.keyboard->memory());
}

} // namespace kw::sim
