#pragma once
// The keyboard a front end talks to, chosen from its options: the simulated
// keyboard (its memory loaded from a state file when one is given) or the
// hidraw tree under a root folder. Shared by keyweave and keyweave-cli.

#include "core/device/hid_backend.h"
#include "core/device/keyboard_lock.h"
#include "sim/simulated_keyboard.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kw::sim {

// How long the chosen simulated keyboard stays in its boot mode.
inline constexpr std::chrono::milliseconds kSimulatedUpdateTime{3000};

struct KeyboardBackendChoice {
    bool simulate = false;
    std::optional<std::filesystem::path> simulateState; // --simulate=STATEFILE
    std::optional<std::filesystem::path> hidRoot;       // --hid-root DIR, default "/"
};

struct KeyboardBackend {
    std::unique_ptr<SimulatedKeyboard> keyboard; // only when simulated
    std::unique_ptr<HidBackend> backend;
    // The state file exists but is not a simulated keyboard's state.
    bool stateLoadFailed = false;
};

KeyboardBackend chooseKeyboardBackend(const KeyboardBackendChoice& choice);

// Gives `lock` its file across processes and the keyboard's name: the
// configuration interface's path in a hidraw tree (`interfacePath` is asked
// each time the lock is taken), the state file of a simulated keyboard kept in
// one; a simulated keyboard without one is this process's alone.
void attachKeyboardLock(KeyboardLock& lock, const KeyboardBackendChoice& choice,
                        std::function<std::string()> interfacePath);

// Saves the simulated keyboard's memory to the state file. True when there is
// nothing to save; a state file that could not be read is left as it is.
bool saveKeyboardState(const KeyboardBackend& backend, const KeyboardBackendChoice& choice);

} // namespace kw::sim
