#pragma once
// Reads the keyboard's consumer-control interface and turns its own event
// codes into actions on the host: a lighting re-read, tray icon changes.
// Runs on its own thread until `stop`; tray icon changes run on short
// workers, one at a time.

#include "core/device/device_link_state.h"
#include "core/device/device_window.h"
#include "core/device/hid_device.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kw {

inline constexpr std::uint16_t kEventLightingChanged = 0x0401;
inline constexpr std::uint16_t kEventRestoreIcon = 0x1810;
inline constexpr std::uint16_t kEventShowEventIcon = 0x1811;

class EventListener {
public:
    EventListener(HidBackend& backend, DeviceLinkState& state, DeviceWindow& window,
                  std::chrono::milliseconds scanInterval = std::chrono::milliseconds(1000));
    ~EventListener();
    EventListener(const EventListener&) = delete;
    EventListener& operator=(const EventListener&) = delete;

    void start();
    // Ends a blocked read through the stop signal, joins the thread and every tray worker.
    void stop();

    // Acts on one event code (from the listener thread).
    void dispatch(std::uint16_t code);

private:
    void run();
    void readReports();
    void startTrayWorker(bool eventIcon);
    bool stopping() const { return stopping_; }

    HidBackend& backend_;
    DeviceLinkState& state_;
    DeviceWindow& window_;
    std::chrono::milliseconds scanInterval_;
    std::unique_ptr<HidDevice> device_; // created on the first run

    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
    std::vector<std::future<void>> workers_;
};

} // namespace kw
