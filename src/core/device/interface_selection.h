#pragma once
// Which HID interfaces are the keyboard's: the ids every interface of the
// keyboard carries, and the top-level usage that tells its configuration
// interface from its event interface.

#include "core/device/hid_device.h"

namespace kw {

inline constexpr std::uint16_t kKeyboardVendorId = 0x0C45;
inline constexpr std::uint16_t kKeyboardProductId = 0x5004;

enum class InterfaceRole { Configuration, Events };

// The ids known before opening match the keyboard's.
bool isCandidate(const HidInterfaceEntry& entry);
// The opened interface is the one for `role` (ids and top-level usage).
bool matchesRole(const HidDevice& device, InterfaceRole role);
// Opens `path` with the access the role needs (read and write for commands,
// read for events), overlapped and shared.
bool openForRole(HidDevice& device, const std::string& path, InterfaceRole role);

struct InterfaceScan {
    bool enumerated = false;   // false: the platform could not list interfaces
    bool found = false;        // a matching interface is open in the device
    bool accessDenied = false; // a candidate could not be opened for lack of rights
    std::string deniedPath;
};

// Scans the present interfaces and leaves the first one of `role` open; the
// path list is cleared afterwards.
InterfaceScan openFirstMatching(HidDevice& device, InterfaceRole role);

} // namespace kw
