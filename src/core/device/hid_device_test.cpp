#include "core/device/descriptor_backend.h"
#include "core/device/hid_device.h"
#include "core/device/test_descriptors.h"
#include "sim/simulated_hid_backend.h"

#include <chrono>
#include <deque>
#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <thread>

namespace kw {
namespace {

using sim::SimInterface;
using sim::SimulatedHidBackend;
using sim::SimulatedKeyboard;
using ::testing::ElementsAre;

using testing::DescriptorBackend;

std::vector<std::uint16_t> activeUsages(const HidDataItem& item) {
    std::vector<std::uint16_t> out;
    for (auto u : item.usages) {
        if (u == 0) {
            break;
        }
        out.push_back(u);
    }
    return out;
}

TEST(IdsFromPathText, WindowsInterfacePaths) {
    struct Case {
        const char* path;
        std::uint16_t vid, pid;
    };
    const Case cases[] = {
        {R"(\\?\hid#vid_0c45&pid_5004&mi_01&col02#8&1a2b&0&0001#{4d1e55b2-f16f})", 0x0C45, 0x5004},
        {R"(\\?\HID#VID_0C45&PID_5004#x)", 0x0C45, 0x5004},
        {"/dev/hidraw3", 0, 0},
        {"vid_&pid_12", 0, 0x12},
        {"vid_123456789", 0x6789, 0}, // more digits than fit: the last four count
    };
    for (const auto& c : cases) {
        const auto ids = idsFromPathText(c.path);
        EXPECT_EQ(ids.vendorId, c.vid) << c.path;
        EXPECT_EQ(ids.productId, c.pid) << c.path;
    }
}

TEST(HidDevice, EnumerationFollowsThePlug) {
    SimulatedKeyboard keyboard;
    SimulatedHidBackend backend(keyboard);
    HidDevice device(backend);
    ASSERT_TRUE(device.enumerate());
    const auto* first = device.nextPath();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->vendorId, 0x0C45);
    EXPECT_NE(device.nextPath(), nullptr);
    EXPECT_EQ(device.nextPath(), nullptr);

    keyboard.unplug();
    ASSERT_TRUE(device.enumerate());
    EXPECT_EQ(device.nextPath(), nullptr);
}

TEST(HidDevice, OpenDescribesTheConfigurationInterface) {
    SimulatedKeyboard keyboard;
    SimulatedHidBackend backend(keyboard);
    HidDevice device(backend);
    ASSERT_TRUE(device.open(SimulatedHidBackend::pathOf(SimInterface::Configuration), true, true,
                            true, false));
    EXPECT_EQ(device.attributes().vendorId, 0x0C45);
    EXPECT_EQ(device.attributes().productId, 0x5004);
    EXPECT_EQ(device.caps().usagePage, 0xFF1C);
    EXPECT_EQ(device.caps().usage, 0x0092);
    EXPECT_EQ(device.caps().inputReportByteLength, 64);
    EXPECT_EQ(device.inputReportBuffer().size(), 64u);
    EXPECT_TRUE(device.close());
    EXPECT_FALSE(device.close());
}

TEST(HidDevice, FailedOpenLeavesTheObjectClosed) {
    SimulatedKeyboard keyboard;
    SimulatedHidBackend backend(keyboard);
    HidDevice device(backend);
    ASSERT_TRUE(
        device.open(SimulatedHidBackend::pathOf(SimInterface::Events), true, false, true, false));
    EXPECT_FALSE(device.open("sim:nothing", true, false, true, false));
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.lastOpenError(), HidOpenError::NotFound);

    DescriptorBackend hostile({0x05, 0x01, 0x09, 0x06, 0xA1, 0x01}); // never closed
    HidDevice other(hostile);
    EXPECT_FALSE(other.open("fake", true, false, true, false));
    EXPECT_EQ(other.lastOpenError(), HidOpenError::BadDescriptor);
}

TEST(HidDevice, EventReportsUnpackToTheirUsage) {
    SimulatedKeyboard keyboard;
    SimulatedHidBackend backend(keyboard);
    HidDevice device(backend);
    ASSERT_TRUE(
        device.open(SimulatedHidBackend::pathOf(SimInterface::Events), true, false, true, false));
    ASSERT_EQ(device.inputItems().size(), 1u);
    const HidDataItem& item = device.inputItems()[0];
    EXPECT_TRUE(item.isButton);
    EXPECT_EQ(item.usagePage, 0x000C);

    const std::vector<std::uint8_t> press{3, 0x11, 0x18};
    ASSERT_TRUE(device.unpackInput(press));
    EXPECT_THAT(activeUsages(device.inputItems()[0]), ElementsAre(0x1811));
    EXPECT_TRUE(device.inputItems()[0].isDataSet);

    // Another report id leaves the item as it was.
    const std::vector<std::uint8_t> other{9, 0x00, 0x00};
    EXPECT_TRUE(device.unpackInput(other));
    EXPECT_THAT(activeUsages(device.inputItems()[0]), ElementsAre(0x1811));

    const std::vector<std::uint8_t> release{3, 0x00, 0x00};
    ASSERT_TRUE(device.unpackInput(release));
    EXPECT_TRUE(activeUsages(device.inputItems()[0]).empty());
}

TEST(HidDevice, ButtonsAndValuesOfAPointer) {
    DescriptorBackend backend(testing::kPointerWithId);
    HidDevice device(backend);
    ASSERT_TRUE(device.open("fake", true, false, true, false));
    const auto& items = device.inputItems();
    ASSERT_EQ(items.size(), 3u); // buttons first, then X and Y
    EXPECT_EQ(device.caps().numberInputButtonCaps, 1);
    EXPECT_EQ(device.caps().numberInputValueCaps, 2);

    // Buttons 1 and 3, X = -127, Y = 127.
    const std::vector<std::uint8_t> report{5, 0b101, 0x81, 0x7F};
    ASSERT_TRUE(device.unpackInput(report));
    EXPECT_THAT(activeUsages(items[0]), ElementsAre(1, 3));
    EXPECT_EQ(items[1].usage, 0x30);
    EXPECT_EQ(items[1].value, 0x81u);
    EXPECT_EQ(items[1].scaledValue, -1274);
    EXPECT_EQ(items[2].scaledValue, 1274);
    EXPECT_EQ(items[2].status, kHidpStatusSuccess);

    // A report cut short cannot give its values.
    const std::vector<std::uint8_t> shortReport{5, 0b001};
    EXPECT_FALSE(device.unpackInput(shortReport));
}

TEST(HidDevice, BootKeyboardUsagesAreFilteredToTheirItem) {
    DescriptorBackend backend(testing::kBootKeyboard);
    HidDevice device(backend);
    ASSERT_TRUE(device.open("fake", true, false, true, false));
    const auto& items = device.inputItems();
    ASSERT_EQ(items.size(), 2u);
    // Left Shift held, A and B pressed.
    const std::vector<std::uint8_t> report{0, 0x02, 0, 0x04, 0x05, 0, 0, 0, 0};
    ASSERT_TRUE(device.unpackInput(report));
    EXPECT_THAT(activeUsages(items[0]), ElementsAre(0xE1));
    EXPECT_THAT(activeUsages(items[1]), ElementsAre(0x04, 0x05));
    EXPECT_EQ(items[1].maxUsageCount, 14u); // all page-7 buttons: 8 modifiers + 6 keys
}

TEST(HidDevice, InfiniteReadEndsWhenClosedFromAnotherThread) {
    SimulatedKeyboard keyboard;
    SimulatedHidBackend backend(keyboard);
    HidDevice device(backend);
    ASSERT_TRUE(
        device.open(SimulatedHidBackend::pathOf(SimInterface::Events), true, false, true, false));
    auto reader = std::async(std::launch::async, [&] {
        std::array<std::uint8_t, 3> buffer{};
        std::size_t n = 99;
        const bool ok = device.read(buffer, kInfiniteTimeout, n);
        return std::pair{ok, n};
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    device.close();
    ASSERT_EQ(reader.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    const auto [ok, n] = reader.get();
    EXPECT_FALSE(ok);
    EXPECT_EQ(n, 0u);
}

TEST(HidDevice, TimedOutReadLeavesTheDeviceUsable) {
    SimulatedKeyboard keyboard;
    SimulatedHidBackend backend(keyboard);
    HidDevice device(backend);
    ASSERT_TRUE(
        device.open(SimulatedHidBackend::pathOf(SimInterface::Events), true, false, true, false));
    std::array<std::uint8_t, 3> buffer{};
    std::size_t n = 0;
    EXPECT_FALSE(device.read(buffer, 20, n));
    keyboard.sendEvent(0x0401);
    EXPECT_TRUE(device.read(buffer, 1000, n));
    EXPECT_THAT(buffer, ElementsAre(3, 0x01, 0x04));
}

} // namespace
} // namespace kw
