#include "sim/keyboard_backend.h"

#include "platform/linux_hidraw_backend.h"
#include "sim/keyboard_memory.h"
#include "sim/simulated_hid_backend.h"

namespace kw::sim {

KeyboardBackend chooseKeyboardBackend(const KeyboardBackendChoice& choice) {
    KeyboardBackend result;
    if (!choice.simulate) {
        result.backend = std::make_unique<LinuxHidrawBackend>(choice.hidRoot.value_or("/"));
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

bool saveKeyboardState(const KeyboardBackend& backend, const KeyboardBackendChoice& choice) {
    if (!backend.keyboard || !choice.simulateState || backend.stateLoadFailed) {
        return true;
    }
    return saveMemory(*choice.simulateState, backend.keyboard->memory());
}

} // namespace kw::sim
