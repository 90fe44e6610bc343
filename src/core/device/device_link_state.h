#pragma once
// The process-wide state the device threads share with the rest of the
// program. One object, owned by the application and handed to whoever needs
// it (no global), so tests can have their own.

#include "core/device/keyboard_state.h"

#include <atomic>

namespace kw {

struct DeviceLinkState {
    std::atomic<int> interfaceOpen{0}; // 1 while the transport may send
    std::atomic<int> devicePresent{0}; // the presence last reported to the window
    std::atomic<int> firstPresenceHandled{
        0}; // 1 when started with "/Start" or after the first report
    std::atomic<int> trayIconBusy{0};
    // What the connection sequence learns: profile, macro capacity, factory table.
    KeyboardState keyboard;
};

} // namespace kw
