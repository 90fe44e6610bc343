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

// Two keyboards at once, listed as the platform lists them: node order, which
// does not change while both stay (hidraw by node number).
class TwoKeyboardsBackend : public HidBackend {
public:
    TwoKeyboardsBackend(sim::SimulatedKeyboard& first, sim::SimulatedKeyboard& second)
        : first_(first), second_(second) {}

    std::optional<std::vector<HidInterfaceEntry>> enumerate() override {
        std::vector<HidInterfaceEntry> all;
        using Listed = std::pair<const char*, sim::SimulatedHidBackend*>;
        for (const auto& [prefix, backend] : {Listed{"a:", &first_}, Listed{"b:", &second_}}) {
            const auto listed = backend->enumerate();
            for (auto entry : *listed) {
                entry.path = prefix + entry.path;
                all.push_back(entry);
            }
        }
        return all;
    }
    HidOpenResult open(const std::string& path, const HidOpenOptions& options) override {
        return backendOf(path).open(path.substr(2), options);
    }
    bool exists(const std::string& path) override { return backendOf(path).exists(path.substr(2)); }

private:
    sim::SimulatedHidBackend& backendOf(const std::string& path) {
        return path.rfind("a:", 0) == 0 ? first_ : second_;
    }
    sim::SimulatedHidBackend first_;
    sim::SimulatedHidBackend second_;
};

TEST(InterfaceSelection, OfTwoKeyboardsTheFirstListedIsTakenEveryTime) {
    sim::SimulatedKeyboard first;
    sim::SimulatedKeyboard second;
    TwoKeyboardsBackend backend(first, second);
    HidDevice device(backend);
    for (int scan = 0; scan < 3; ++scan) {
        ASSERT_TRUE(openFirstMatching(device, InterfaceRole::Configuration).found);
        EXPECT_EQ(device.path(),
                  "a:" + sim::SimulatedHidBackend::pathOf(sim::SimInterface::Configuration));
        device.close();
    }
    // Without the first, the second; with the first back, the first again.
    first.unplug();
    ASSERT_TRUE(openFirstMatching(device, InterfaceRole::Configuration).found);
    EXPECT_EQ(device.path().substr(0, 2), "b:");
    device.close();
    first.plug();
    ASSERT_TRUE(openFirstMatching(device, InterfaceRole::Configuration).found);
    EXPECT_EQ(device.path().substr(0, 2), "a:");
}

} // namespace
} // namespace kw
