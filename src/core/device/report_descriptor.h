#pragma once
// Our own HID report-descriptor parser. It gives what the rest of the device
// link needs of an interface: its top-level usage page and usage, the byte
// lengths of its reports, and the layout of every input control so that an
// input report can be unpacked without the platform's help.
//
// Descriptors come from devices we do not control, so the parser is bounded
// everywhere: a truncated or absurd descriptor yields nullopt, never a crash
// and never an allocation that grows with a number written in the descriptor.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kw {

// One run of usages from a local Usage or Usage Minimum/Maximum pair.
struct UsageRange {
    std::uint16_t page = 0;
    std::uint16_t min = 0;
    std::uint16_t max = 0;
};

// One Input main item of a top-level collection, with where its fields sit in
// a report buffer whose byte 0 is the report id (0 when the device uses none).
struct InputField {
    std::uint8_t reportId = 0;
    std::uint32_t bitOffset = 0; // from the start of the buffer, report id byte included
    std::uint32_t bitSize = 0;
    std::uint32_t count = 0;
    bool isArray = false;    // fields hold indexes into the usage list
    bool isConstant = false; // padding
    std::int32_t logicalMin = 0;
    std::int32_t logicalMax = 0;
    std::int32_t physicalMin = 0;
    std::int32_t physicalMax = 0;
    std::uint16_t usagePage = 0; // page of the first usage
    std::vector<UsageRange> usages;

    // Buttons are one-bit variables and arrays; everything else is a value.
    bool isButton() const { return isArray || bitSize == 1; }
    // The usage of field `index` of a variable item (the last usage repeats).
    std::uint16_t usageOfField(std::uint32_t index) const;
    // The usage an array index selects, 0 when it selects none.
    std::uint16_t usageOfArrayIndex(std::int64_t index) const;
    // Number of usages the item names.
    std::uint32_t usageCount() const;
};

struct TopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    // Byte lengths as the platform reports them: the longest report of that
    // kind plus the report id byte, 0 when the collection has none.
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    std::uint16_t featureReportLength = 0;
    bool usesReportIds = false;
    std::vector<InputField> inputs;
};

struct ReportDescriptor {
    std::vector<TopLevelCollection> collections;
};

// Limits that keep a hostile descriptor from costing more than a real one.
inline constexpr std::size_t kMaxDescriptorBytes = 4096; // the kernel's own limit
inline constexpr std::uint32_t kMaxReportBytes = 4096;   // per report, id byte included
inline constexpr std::size_t kMaxMainItems = 512;        // fields of all collections
inline constexpr std::size_t kMaxLocalUsages = 256;      // usages before one main item
inline constexpr std::size_t kMaxGlobalStackDepth = 16;  // Push without Pop
inline constexpr std::size_t kMaxCollectionDepth = 32;   // nested collections

// Nullopt when the descriptor is malformed or exceeds a limit.
std::optional<ReportDescriptor> parseReportDescriptor(std::span<const std::uint8_t> bytes);

} // namespace kw
