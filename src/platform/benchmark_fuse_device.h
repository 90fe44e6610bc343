#pragma once
// For the benchmarks: the simulated keyboard mounted once per run as a FUSE
// hidraw tree, opened through the real hidraw backend and our transport.

#include "core/device/hid_device.h"
#include "core/device/interface_selection.h"
#include "core/device/transport.h"
#include "platform/linux_hidraw_backend.h"
#include "sim/simkbd_mount.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>

namespace kw::bench {

// Where the build put keyweave-simkbd and the files read beside it.
inline std::filesystem::path programFolder() {
    const char* dir = std::getenv("KEYWEAVE_BIN_DIR");
    return dir ? std::filesystem::path(dir) : std::filesystem::path(KEYWEAVE_DEFAULT_BIN_DIR);
}

class FuseDevice {
public:
    FuseDevice()
        : folder(std::filesystem::temp_directory_path() /
                 ("keyweave-bench-fuse-" + std::to_string(::getpid()))),
          mount(std::make_unique<sim::SimkbdMount>(programFolder() / "keyweave-simkbd", folder)) {
        if (!mount->available()) {
            return;
        }
        backend = std::make_unique<LinuxHidrawBackend>(mount->root());
        device = std::make_unique<HidDevice>(*backend);
        transport = std::make_unique<Transport>(*device, interfaceOpen);
        if (openFirstMatching(*device, InterfaceRole::Configuration).found) {
            interfaceOpen = 1;
        }
    }
    ~FuseDevice() {
        transport.reset();
        device.reset();
        backend.reset();
        mount.reset(); // unmounted before its folder goes
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    FuseDevice(const FuseDevice&) = delete;
    FuseDevice& operator=(const FuseDevice&) = delete;

    // One mount for the whole run.
    static FuseDevice& instance() {
        static FuseDevice device;
        return device;
    }

    bool ready() const { return interfaceOpen != 0; }

    std::filesystem::path folder;
    std::unique_ptr<sim::SimkbdMount> mount;
    std::unique_ptr<LinuxHidrawBackend> backend;
    std::unique_ptr<HidDevice> device;
    std::atomic<int> interfaceOpen{0};
    std::unique_ptr<Transport> transport;
};

} // namespace kw::bench
