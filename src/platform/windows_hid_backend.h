#pragma once
// The HID layer on Windows: interfaces are found through the setup services
// (the HID interface class), described by the HID parser, and read and
// written with overlapped I/O bounded by a time-out and a stop event.
// Interface paths cross the core's boundary as UTF-8 and are wide strings for
// every platform call.

#include "core/device/hid_backend.h"

namespace kw {

class WindowsHidBackend : public HidBackend {
public:
    std::optional<std::vector<HidInterfaceEntry>> enumerate() override;
    HidOpenResult open(const std::string& path, const HidOpenOptions& options) override;
    bool exists(const std::string& path) override;
};

// Wide strings at the platform boundary, UTF-8 inside.
std::wstring widePath(std::string_view utf8);
std::string utf8Path(std::wstring_view wide);

} // namespace kw
