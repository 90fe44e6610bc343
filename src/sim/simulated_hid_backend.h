#pragma once
// The simulated keyboard offered to the HID layer in-process, for tests and
// for --simulate. Its two interfaces appear as "sim:hidraw0" (commands) and
// "sim:hidraw1" (events) while the keyboard is plugged in.

#include "core/device/hid_backend.h"
#include "sim/simulated_keyboard.h"

namespace kw::sim {

class SimulatedHidBackend : public HidBackend {
public:
    explicit SimulatedHidBackend(SimulatedKeyboard& keyboard) : keyboard_(keyboard) {}

    std::optional<std::vector<HidInterfaceEntry>> enumerate() override;
    HidOpenResult open(const std::string& path, const HidOpenOptions& options) override;
    bool exists(const std::string& path) override;
    // Plugging and unplugging are reported as they happen.
    std::unique_ptr<HidChangeWatch> watchChanges() override;

    static std::string pathOf(SimInterface which);

private:
    SimulatedKeyboard& keyboard_;
};

} // namespace kw::sim
