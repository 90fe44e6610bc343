#include "platform/windows_hid_caps.h"

#include <algorithm>
#include <map>

namespace kw {

namespace {

// Bit 1 of an Input item's data: variable (a bit per usage) rather than array.
constexpr USHORT kVariableBit = 0x0002;

template <typename Caps>
UsageRange usagesOf(const Caps& cap) {
    if (cap.IsRange) {
        return {cap.UsagePage, cap.Range.UsageMin, cap.Range.UsageMax};
    }
    return {cap.UsagePage, cap.NotRange.Usage, cap.NotRange.Usage};
}

std::uint32_t usageCount(const UsageRange& range) {
    return range.max >= range.min ? std::uint32_t{range.max} - range.min + 1 : 1;
}

} // namespace

TopLevelCollection collectionFromCaps(const HIDP_CAPS& caps,
                                      std::span<const HIDP_BUTTON_CAPS> buttons,
                                      std::span<const HIDP_VALUE_CAPS> values,
                                      const std::function<ULONG(USAGE)>& maxUsages) {
    TopLevelCollection tlc;
    tlc.usagePage = caps.UsagePage;
    tlc.usage = caps.Usage;
    tlc.inputReportLength = caps.InputReportByteLength;
    tlc.outputReportLength = caps.OutputReportByteLength;
    tlc.featureReportLength = caps.FeatureReportByteLength;

    // What is left of each page's usage list, and the last button of each page,
    // which takes the rest.
    std::map<USAGE, std::uint64_t> left;
    std::map<USAGE, std::size_t> lastOfPage;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        left.try_emplace(buttons[i].UsagePage, maxUsages(buttons[i].UsagePage));
        lastOfPage[buttons[i].UsagePage] = i;
    }
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const HIDP_BUTTON_CAPS& cap = buttons[i];
        InputField field;
        field.reportId = cap.ReportID;
        field.usagePage = cap.UsagePage;
        field.isArray = (cap.BitField & kVariableBit) == 0;
        field.bitSize = field.isArray ? 0 : 1;
        field.usages = {usagesOf(cap)};
        std::uint64_t& rest = left[cap.UsagePage];
        const std::uint64_t share =
            lastOfPage[cap.UsagePage] == i
                ? rest
                : std::min<std::uint64_t>(rest, usageCount(field.usages[0]));
        field.count = static_cast<std::uint32_t>(share);
        rest -= share;
        tlc.usesReportIds = tlc.usesReportIds || cap.ReportID != 0;
        tlc.inputs.push_back(std::move(field));
    }
    for (const HIDP_VALUE_CAPS& cap : values) {
        InputField field;
        field.reportId = cap.ReportID;
        field.usagePage = cap.UsagePage;
        field.bitSize = cap.BitSize;
        field.count = cap.ReportCount;
        field.logicalMin = cap.LogicalMin;
        field.logicalMax = cap.LogicalMax;
        field.physicalMin = cap.PhysicalMin;
        field.physicalMax = cap.PhysicalMax;
        field.usages = {usagesOf(cap)};
        tlc.usesReportIds = tlc.usesReportIds || cap.ReportID != 0;
        tlc.inputs.push_back(std::move(field));
    }
    return tlc;
}

} // namespace kw
