#include "core/device/interface_selection.h"

namespace kw {

bool isCandidate(const HidInterfaceEntry& entry) {
    return entry.vendorId == kKeyboardVendorId && entry.productId == kKeyboardProductId;
}

bool matchesRole(const HidDevice& device, InterfaceRole role) {
    const HidAttributes a = device.attributes();
    const HidCaps c = device.caps();
    if (a.vendorId != kKeyboardVendorId || a.productId != kKeyboardProductId) {
        return false;
    }
    return role == InterfaceRole::Configuration ? c.usagePage == 0xFF1C && c.usage == 0x0092
                                                : c.usagePage == 0x000C && c.usage == 0x0001;
}

bool openForRole(HidDevice& device, const std::string& path, InterfaceRole role) {
    const bool write = role == InterfaceRole::Configuration;
    return device.open(path, true, write, true, false);
}

InterfaceScan openFirstMatching(HidDevice& device, InterfaceRole role) {
    InterfaceScan scan;
    scan.enumerated = device.enumerate();
    while (const HidInterfaceEntry* entry = scan.enumerated ? device.nextPath() : nullptr) {
        if (!isCandidate(*entry)) {
            continue;
        }
        const std::string path = entry->path;
        if (!openForRole(device, path, role)) {
            if (device.lastOpenError() == HidOpenError::AccessDenied) {
                // The first such node names the keyboard in messages.
                if (!scan.accessDenied) {
                    scan.deniedPath = path;
                }
                scan.accessDenied = true;
            }
            continue;
        }
        if (matchesRole(device, role)) {
            scan.found = true;
            break;
        }
        device.close();
    }
    device.clearPaths();
    return scan;
}

} // namespace kw
