#pragma once
// A simulated keyboard wired to the HID layer and the transport in-process,
// with its configuration interface open: the smallest setup in which the
// command set can be driven end to end.

#include "core/device/transport.h"
#include "sim/simulated_hid_backend.h"

#include <atomic>

namespace kw::sim {

struct SimLink {
    explicit SimLink(KeyboardMemory memory = KeyboardMemory::factory(),
                     TransportTimings timings = {})
        : keyboard(std::move(memory)), transport(device, interfaceOpen, timings) {
        interfaceOpen = openConfiguration() ? 1 : 0;
        keyboard.clearLog();
    }

    bool openConfiguration() {
        return device.open(SimulatedHidBackend::pathOf(SimInterface::Configuration), true, true,
                           true, false);
    }

    // Reports the host wrote to the configuration interface since the last clearLog.
    std::vector<std::vector<std::uint8_t>> written() const {
        std::vector<std::vector<std::uint8_t>> out;
        for (const auto& e : keyboard.log()) {
            if (e.fromHost && e.interface == SimInterface::Configuration) {
                out.push_back(e.bytes);
            }
        }
        return out;
    }

    SimulatedKeyboard keyboard;
    SimulatedHidBackend backend{keyboard};
    HidDevice device{backend};
    std::atomic<int> interfaceOpen{0};
    Transport transport;
};

} // namespace kw::sim
