#pragma once
// The keyboard for one CLI command, chosen by the global options: the
// simulated keyboard (--simulate[=STATEFILE], its memory loaded from and saved
// to the state file) or the hidraw tree under --hid-root (default /). With
// --trace every report written and read is printed in hex on stderr.

#include "cli/cli.h"
#include "core/device/hid_device.h"
#include "core/device/transport.h"
#include "sim/keyboard_backend.h"

#include <atomic>
#include <memory>

namespace kw::cli {

class DeviceSession {
public:
    // The backend alone, for commands that only list interfaces.
    explicit DeviceSession(Context& context);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Opens the configuration interface and takes the keyboard lock; on
    // failure prints why and returns the exit code (kExitNoKeyboard), else kExitOk.
    int connect();

    HidBackend& backend() { return *keyboard_.backend; }
    HidDevice& device() { return *device_; }
    Transport& transport() { return *transport_; }
    // Saves the simulated keyboard's memory now; false when it cannot be written.
    bool saveState();

private:
    int failBusy();

    Context& context_;
    sim::KeyboardBackendChoice choice_;
    // Held for the whole command: every read, change and write of one command
    // is one sequence no other program comes between. For a simulated
    // keyboard kept in a state file it is held from loading the file to saving it.
    KeyboardLock lock_;
    bool lockHeld_ = false;
    std::string busyHolder_;
    sim::KeyboardBackend keyboard_;
    std::unique_ptr<HidDevice> device_;
    std::atomic<int> interfaceOpen_{0};
    std::unique_ptr<Transport> transport_;
};

} // namespace kw::cli
