#pragma once
// What the Windows HID parser tells of an interface (HIDP_CAPS and the input
// button and value capabilities), turned into the core's top-level collection.

#include "core/device/report_descriptor.h"
#include "platform/windows_hid_api.h"

#include <functional>
#include <span>

namespace kw {

// `maxUsages(page)` is HidP_MaxUsageListLength for the input buttons of a page.
// Each button capability's field count is its share of that number, so the
// core's usage list of a page is exactly as long as the platform's.
TopLevelCollection collectionFromCaps(const HIDP_CAPS& caps,
                                      std::span<const HIDP_BUTTON_CAPS> buttons,
                                      std::span<const HIDP_VALUE_CAPS> values,
                                      const std::function<ULONG(USAGE)>& maxUsages);

} // namespace kw
