#pragma once
// The HID layer on Linux: interfaces are the hidraw nodes. Enumeration reads
// ROOT/sys/class/hidraw/*/device/{uevent,report_descriptor}; transfers go to
// ROOT/dev/hidrawN with poll() bounds and an eventfd as the stop signal.
// ROOT is "/" on a real system and a simulated tree in tests.

#include "core/device/hid_backend.h"

#include <filesystem>

namespace kw {

class LinuxHidrawBackend : public HidBackend {
public:
    explicit LinuxHidrawBackend(std::filesystem::path root = "/");

    std::optional<std::vector<HidInterfaceEntry>> enumerate() override;
    HidOpenResult open(const std::string& path, const HidOpenOptions& options) override;
    bool exists(const std::string& path) override;
    // Node arrivals and removals under ROOT/dev (where the folder reports
    // them) and the hang-up of an open handle.
    std::unique_ptr<HidChangeWatch> watchChanges() override;

    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path classFolder() const;

    std::filesystem::path root_;
};

// Vendor and product id from a uevent text's "HID_ID=bus:vendor:product" line.
std::optional<HidAttributes> idsFromUevent(std::string_view uevent);

} // namespace kw
