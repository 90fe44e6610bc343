// The HID parser's capabilities as the core sees them once an interface is
// opened: the input data table HidDevice builds from the collection must have
// the platform's usage-list lengths, items and report ids.

#include "core/device/hid_device.h"
#include "platform/windows_hid_caps.h"

#include <gtest/gtest.h>
#include <map>

namespace kw {
namespace {

constexpr USHORT kVariable = 0x0002;

HIDP_BUTTON_CAPS button(USAGE page, UCHAR reportId, USAGE min, USAGE max, bool variable) {
    HIDP_BUTTON_CAPS cap{};
    cap.UsagePage = page;
    cap.ReportID = reportId;
    cap.BitField = variable ? kVariable : 0;
    cap.IsRange = min != max;
    if (cap.IsRange) {
        cap.Range.UsageMin = min;
        cap.Range.UsageMax = max;
    } else {
        cap.NotRange.Usage = min;
    }
    return cap;
}

HIDP_VALUE_CAPS value(USAGE page, UCHAR reportId, USAGE min, USAGE max, USHORT count,
                      LONG logicalMin, LONG logicalMax) {
    HIDP_VALUE_CAPS cap{};
    cap.UsagePage = page;
    cap.ReportID = reportId;
    cap.BitSize = 16;
    cap.ReportCount = count;
    cap.LogicalMin = logicalMin;
    cap.LogicalMax = logicalMax;
    cap.IsRange = min != max;
    if (cap.IsRange) {
        cap.Range.UsageMin = min;
        cap.Range.UsageMax = max;
    } else {
        cap.NotRange.Usage = min;
    }
    return cap;
}

// One interface whose collection comes from the caps, for HidDevice to open.
class CapsConnection : public HidConnection {
public:
    explicit CapsConnection(TopLevelCollection c) : collection_(std::move(c)) {}
    HidAttributes attributes() const override { return {0x1234, 0x5678, 1}; }
    const TopLevelCollection& collection() const override { return collection_; }
    TransferResult write(std::span<const std::uint8_t>, int, std::size_t&) override {
        return TransferResult::Failed;
    }
    TransferResult read(std::span<std::uint8_t>, int, std::size_t&) override {
        return TransferResult::Failed;
    }
    void interrupt() override {}

private:
    TopLevelCollection collection_;
};

class CapsBackend : public HidBackend {
public:
    explicit CapsBackend(TopLevelCollection c) : collection_(std::move(c)) {}
    std::optional<std::vector<HidInterfaceEntry>> enumerate() override {
        return std::vector<HidInterfaceEntry>{{"caps", 0, 0}};
    }
    HidOpenResult open(const std::string&, const HidOpenOptions&) override {
        return {std::make_unique<CapsConnection>(collection_), HidOpenError::None};
    }
    bool exists(const std::string&) override { return true; }

private:
    TopLevelCollection collection_;
};

struct ExpectedItem {
    bool isButton;
    std::uint16_t usagePage;
    std::uint8_t reportId;
    std::uint16_t usageMin; // buttons; the usage for values
    std::uint16_t usageMax;
    std::uint32_t maxUsageCount;
};

struct CapsCase {
    const char* name;
    std::vector<HIDP_BUTTON_CAPS> buttons;
    std::vector<HIDP_VALUE_CAPS> values;
    std::map<USAGE, ULONG> maxUsages; // HidP_MaxUsageListLength per page
    bool usesReportIds;
    std::vector<ExpectedItem> items;
    friend void PrintTo(const CapsCase& c, std::ostream* os) { *os << c.name; }
};

const CapsCase kCases[] = {
    {"consumer control: one array of the whole page",
     {button(0x0C, 3, 0x0000, 0x03FF, false)},
     {},
     {{0x0C, 1}},
     true,
     {{true, 0x0C, 3, 0x0000, 0x03FF, 1}}},
    {"keyboard: modifier bits and a six-key array share the page",
     {button(0x07, 0, 0xE0, 0xE7, true), button(0x07, 0, 0x00, 0xFF, false)},
     {},
     {{0x07, 14}},
     false,
     {{true, 0x07, 0, 0xE0, 0xE7, 14}, {true, 0x07, 0, 0x00, 0xFF, 14}}},
    {"buttons of two pages in two reports",
     {button(0x09, 1, 1, 5, true), button(0x0C, 2, 0xE9, 0xE9, true)},
     {},
     {{0x09, 5}, {0x0C, 1}},
     true,
     {{true, 0x09, 1, 1, 5, 5}, {true, 0x0C, 2, 0xE9, 0xE9, 1}}},
    {"a single value and a range of values after the buttons",
     {button(0x09, 0, 1, 3, true)},
     {value(0x01, 0, 0x38, 0x38, 1, -127, 127), value(0x01, 0, 0x30, 0x32, 3, -32768, 32767)},
     {{0x09, 3}},
     false,
     {{true, 0x09, 0, 1, 3, 3},
      {false, 0x01, 0, 0x38, 0x38, 0},
      {false, 0x01, 0, 0x30, 0x30, 0},
      {false, 0x01, 0, 0x31, 0x31, 0},
      {false, 0x01, 0, 0x32, 0x32, 0}}},
};

class CollectionFromCaps : public ::testing::TestWithParam<CapsCase> {};

TEST_P(CollectionFromCaps, HidDeviceBuildsThePlatformsDataTable) {
    const CapsCase& c = GetParam();
    HIDP_CAPS caps{};
    caps.UsagePage = 0xFF1C;
    caps.Usage = 0x92;
    caps.InputReportByteLength = 65;
    caps.OutputReportByteLength = 65;
    caps.NumberInputButtonCaps = static_cast<USHORT>(c.buttons.size());
    caps.NumberInputValueCaps = static_cast<USHORT>(c.values.size());
    const TopLevelCollection tlc = collectionFromCaps(
        caps, c.buttons, c.values, [&](USAGE page) { return c.maxUsages.at(page); });
    EXPECT_EQ(tlc.usesReportIds, c.usesReportIds);

    CapsBackend backend(tlc);
    HidDevice device(backend);
    ASSERT_TRUE(device.open("caps", true, true, true, false));
    EXPECT_EQ(device.caps().usagePage, 0xFF1C);
    EXPECT_EQ(device.caps().usage, 0x92);
    EXPECT_EQ(device.caps().inputReportByteLength, 65);
    EXPECT_EQ(device.caps().outputReportByteLength, 65);

    const auto& items = device.inputItems();
    ASSERT_EQ(items.size(), c.items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ExpectedItem& e = c.items[i];
        SCOPED_TRACE(::testing::Message() << c.name << ", item " << i);
        EXPECT_EQ(items[i].isButton, e.isButton);
        EXPECT_EQ(items[i].usagePage, e.usagePage);
        EXPECT_EQ(items[i].reportId, e.reportId);
        if (e.isButton) {
            EXPECT_EQ(items[i].usageMin, e.usageMin);
            EXPECT_EQ(items[i].usageMax, e.usageMax);
            EXPECT_EQ(items[i].maxUsageCount, e.maxUsageCount);
            EXPECT_EQ(items[i].usages.size(), e.maxUsageCount);
        } else {
            EXPECT_EQ(items[i].usage, e.usageMin);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Interfaces, CollectionFromCaps, ::testing::ValuesIn(kCases));

} // namespace
} // namespace kw
