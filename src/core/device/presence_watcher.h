#pragma once
// Finds the keyboard's configuration interface, keeps it open for the
// transport, notices when it goes away, and runs the connection sequence on
// every change. Runs on its own thread until `stop`.

#include "core/device/device_link_state.h"
#include "core/device/device_window.h"
#include "core/device/interface_selection.h"
#include "core/device/transport.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kw {

struct PresenceTimings {
    std::chrono::milliseconds startDelay{10};
    std::chrono::milliseconds presentPoll{100};
    std::chrono::milliseconds absentPoll{1000};
    // Where the platform reports removal, a present keyboard is only looked
    // at this often besides, in case a notice went missing.
    std::chrono::milliseconds presentCheck{30000};
};

class PresenceWatcher {
public:
    PresenceWatcher(HidDevice& device, Transport& transport, DeviceLinkState& state,
                    DeviceWindow& window, PresenceTimings timings = {});
    ~PresenceWatcher();
    PresenceWatcher(const PresenceWatcher&) = delete;
    PresenceWatcher& operator=(const PresenceWatcher&) = delete;

    void start();
    // Ends the thread at its next wait and joins it; commands in flight end
    // within their own time-outs.
    void stop();

    // The presence procedure: 1 present, 0 absent. Runs on the watcher thread.
    void OnDevicePresenceChanged(int present);

private:
    void run();
    // False when the interfaces cannot be listed.
    bool wakeUpProbe();
    // Scans for the interface and remembers its path when one is open afterwards.
    InterfaceScan scan();
    // Tells the window when a scan finds the keyboard closed to us, and when
    // that ends; only the changes, so an absent keyboard's scans stay quiet.
    void reportAccess(const InterfaceScan& scan);
    // Waits (ending early on a change the platform reports), or returns false
    // at once when stop was asked.
    bool pause(std::chrono::milliseconds duration);
    // How long a present keyboard waits between checks.
    std::chrono::milliseconds presentWait() const;

    HidDevice& device_;
    Transport& transport_;
    DeviceLinkState& state_;
    DeviceWindow& window_;
    PresenceTimings timings_;
    std::string interfacePath_;
    std::string deniedPath_;

    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    // The platform's notice of arrivals and removals; null where it has none.
    std::unique_ptr<HidChangeWatch> changes_;
    std::thread thread_;
};

} // namespace kw
