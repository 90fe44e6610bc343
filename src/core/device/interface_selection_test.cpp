#include "core/device/interface_selection.h"
#include "sim/simulated_hid_backend.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace kw {
namespace {

// The simulated keyboard's interfaces, behind other devices and candidates
// that cannot be opened or that carry the ids but another usage.
class CrowdedBackend : public HidBackend {
public:
    explicit CrowdedBackend(sim::SimulatedKeyboard& keyboard) : sim_(keyboard) {}

    std::optional<std::vector<HidInterfaceEntry>> enumerate() override {
        std::vector<HidInterfaceEntry> all{{"other-mouse", 0x046D, 0xC52B},
                                           {"locked", kKeyboardVendorId, kKeyboardProductId}};
        for (int i = 0; i < 12; ++i) {
            all.push_back({"filler" + std::to_string(i), 0x1234, 0x0001});
        }
        auto mine = sim_.enumerate();
        // The event interface first: same ids, wrong usage for commands.
        std::reverse(mine->begin(), mine->end());
        all.insert(all.end(), mine->begin(), mine->end());
        return all;
    }
    HidOpenResult open(const std::string& path, const HidOpenOptions& options) override {
        ++opens[path];
        if (path == "locked") {
            return {nullptr, HidOpenError::AccessDenied};
        }
        return sim_.open(path, options);
    }
    bool exists(const std::string& path) override { return sim_.exists(path); }

    std::map<std::string, int> opens;

private:
    sim::SimulatedHidBackend sim_;
};

TEST(InterfaceSelection, FindsTheConfigurationInterfaceAmongOthers) {
    sim::SimulatedKeyboard keyboard;
    CrowdedBackend backend(keyboard);
    HidDevice device(backend);
    const InterfaceScan scan = openFirstMatching(device, InterfaceRole::Configuration);
    EXPECT_TRUE(scan.found);
    EXPECT_TRUE(scan.accessDenied);
    EXPECT_EQ(device.caps().usagePage, 0xFF1C);
    // Other ids are never opened; the event interface was opened and let go.
    EXPECT_EQ(backend.opens.count("other-mouse"), 0u);
    EXPECT_EQ(backend.opens["sim:hidraw1"], 1);
    EXPECT_EQ(device.nextPath(), nullptr); // the list is cleared
}

TEST(InterfaceSelection, ReportsAccessDeniedWhenNothingElseMatches) {
    sim::SimulatedKeyboard keyboard;
    keyboard.unplug();
    CrowdedBackend backend(keyboard);
    HidDevice device(backend);
    const InterfaceScan scan = openFirstMatching(device, InterfaceRole::Events);
    EXPECT_FALSE(scan.found);
    EXPECT_TRUE(scan.accessDenied);
    EXPECT_EQ(scan.deniedPath, "locked");
    EXPECT_FALSE(device.isOpen());
}

} // namespace
} // namespace kw
