#include "core/base/bytes.h"
#include "core/device/commands.h"
#include "core/device/interface_selection.h"
#include "core/device/presence_watcher.h"
#include "core/device/recording_window.h"
#include "platform/linux_hidraw_backend.h"
#include "sim/simkbd_mount.h"
#include "testsupport/temp_dir.h"

#include <fstream>
#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kw {
namespace {

using namespace std::chrono_literals;
using ::testing::SizeIs;

TEST(Uevent, IdsFromTheHidIdLine) {
    struct Case {
        const char* text;
        std::optional<std::pair<std::uint16_t, std::uint16_t>> ids;
    };
    const Case cases[] = {
        {"DRIVER=hid-generic\nHID_ID=0003:00000C45:00005004\nHID_NAME=x\n", {{0x0C45, 0x5004}}},
        {"HID_ID=0005:0000046D:0000B023", {{0x046D, 0xB023}}},
        {"HID_NAME=no id here\n", std::nullopt},
        {"HID_ID=0003:00000C45\n", std::nullopt},
        {"HID_ID=0003:000X0C45:00005004\n", std::nullopt},
        {"HID_ID=0003:00010C45:00005004\n", std::nullopt}, // does not fit 16 bits
    };
    for (const auto& c : cases) {
        const auto ids = idsFromUevent(c.text);
        ASSERT_EQ(ids.has_value(), c.ids.has_value()) << c.text;
        if (ids) {
            EXPECT_EQ(ids->vendorId, c.ids->first) << c.text;
            EXPECT_EQ(ids->productId, c.ids->second) << c.text;
        }
    }
}

TEST(LinuxHidrawBackend, EnumeratesInNodeOrder) {
    testing::TempDir root;
    for (const char* name : {"hidraw10", "hidraw2", "hidraw0", "not-hidraw"}) {
        const auto dir = root / (std::string("sys/class/hidraw/") + name + "/device");
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "uevent") << "HID_ID=0003:00000C45:00005004\n";
    }
    LinuxHidrawBackend backend(root.path());
    const auto found = backend.enumerate();
    ASSERT_TRUE(found);
    ASSERT_THAT(*found, SizeIs(3));
    EXPECT_EQ((*found)[0].path, (root / "dev/hidraw0").string());
    EXPECT_EQ((*found)[1].path, (root / "dev/hidraw2").string());
    EXPECT_EQ((*found)[2].path, (root / "dev/hidraw10").string());
    EXPECT_EQ((*found)[2].vendorId, 0x0C45);

    LinuxHidrawBackend empty(root / "nothing");
    const auto none = empty.enumerate();
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
}

// The real backend against the simulated keyboard served through FUSE.
class HidrawThroughFuse : public ::testing::Test {
protected:
    void SetUp() override {
        mount_ = std::make_unique<sim::SimkbdMount>(testing::programFolder() / "keyweave-simkbd",
                                                    dir_ / "root");
        if (!mount_->available()) {
            GTEST_SKIP() << "FUSE tests skipped: " << mount_->reason();
        }
        backend_ = std::make_unique<LinuxHidrawBackend>(mount_->root());
        device_ = std::make_unique<HidDevice>(*backend_);
        transport_ = std::make_unique<Transport>(*device_, interfaceOpen_);
        transport_->setObserver([this](ReportDirection d, std::span<const std::uint8_t> bytes) {
            if (d == ReportDirection::Written) {
                written_.emplace_back(bytes.begin(), bytes.end());
            }
        });
        ASSERT_TRUE(openFirstMatching(*device_, InterfaceRole::Configuration).found);
        interfaceOpen_ = 1;
    }
    void TearDown() override {
        transport_.reset();
        device_.reset();
        mount_.reset();
    }

    testing::TempDir dir_;
    std::unique_ptr<sim::SimkbdMount> mount_;
    std::unique_ptr<LinuxHidrawBackend> backend_;
    std::unique_ptr<HidDevice> device_;
    std::atomic<int> interfaceOpen_{0};
    std::unique_ptr<Transport> transport_;
    std::vector<std::vector<std::uint8_t>> written_;
};

TEST_F(HidrawThroughFuse, DescribesBothInterfaces) {
    EXPECT_EQ(device_->caps().usagePage, 0xFF1C);
    EXPECT_EQ(device_->caps().inputReportByteLength, 64);
    HidDevice events(*backend_);
    ASSERT_TRUE(openFirstMatching(events, InterfaceRole::Events).found);
    EXPECT_EQ(events.caps().usagePage, 0x000C);
    EXPECT_EQ(events.attributes().vendorId, 0x0C45);
}

TEST_F(HidrawThroughFuse, FixedCommandChecksums) {
    DeviceInfo info;
    ASSERT_EQ(BeginTransfer(*transport_), kCommandOk);
    ASSERT_EQ(ReadDeviceInfo(*transport_, info), kCommandOk);
    ASSERT_THAT(written_, SizeIs(2));
    EXPECT_EQ(loadU16(written_[0], 1), 0x0001);
    EXPECT_EQ(loadU16(written_[1], 1), 0x002F);
    EXPECT_EQ(info.firmwareVersion(), 0x0105);
}

TEST_F(HidrawThroughFuse, KeyTableChunksAndBadProfile) {
    std::array<std::uint8_t, 420> table{};
    table.fill(0x22);
    EXPECT_EQ(WriteKeyMatrix(*transport_, 3, table), kCommandBadArgument);
    EXPECT_TRUE(written_.empty());
    ASSERT_EQ(WriteKeyMatrix(*transport_, 1, table), kCommandOk);
    ASSERT_THAT(written_, SizeIs(8));
    EXPECT_EQ(loadU16(written_.front(), 5), 0x0200);
    EXPECT_EQ(loadU16(written_.back(), 5), 0x0388);
    EXPECT_EQ(written_.back()[4], 28);
    std::array<std::uint8_t, 420> back{};
    ASSERT_EQ(ReadKeyMatrix(*transport_, 1, back), kCommandOk);
    EXPECT_EQ(back, table);
}

TEST_F(HidrawThroughFuse, SilentKeyboardAndFailedChunk) {
    ASSERT_TRUE(mount_->control("drop 4"));
    EXPECT_EQ(BeginTransfer(*transport_), kCommandNoAnswer);
    EXPECT_THAT(written_, SizeIs(4));

    written_.clear();
    ASSERT_TRUE(mount_->control("status 3 0xFE"));
    std::vector<std::uint8_t> area(200, 0x5A);
    EXPECT_EQ(WriteMacroArea(*transport_, area), kCommandFailed);
    EXPECT_THAT(written_, SizeIs(3));
    std::vector<std::uint8_t> stored(168);
    ASSERT_EQ(ReadMacroArea(*transport_, stored), kCommandOk);
    EXPECT_EQ(stored[111], 0x5A);
    EXPECT_NE(stored[112], 0x5A);
}

TEST_F(HidrawThroughFuse, UnplugDuringAWriteEndsPromptly) {
    ASSERT_TRUE(mount_->control("unplug-after 5"));
    std::vector<std::uint8_t> area(4096, 0x11);
    auto write = std::async(std::launch::async, [&] { return WriteMacroArea(*transport_, area); });
    ASSERT_EQ(write.wait_for(10s), std::future_status::ready) << "the write hangs";
    const int result = write.get();
    EXPECT_TRUE(result == kCommandWriteFailed || result == kCommandNoAnswer) << result;
    EXPECT_FALSE(device_->exists(device_->path()));
    EXPECT_FALSE(device_->isAlive());

    ASSERT_TRUE(mount_->control("plug"));
    EXPECT_TRUE(device_->exists(device_->path()));
    EXPECT_FALSE(device_->isAlive()); // the old handle stays dead
    ASSERT_TRUE(openFirstMatching(*device_, InterfaceRole::Configuration).found);
    EXPECT_EQ(BeginTransfer(*transport_), kCommandOk);
}

TEST_F(HidrawThroughFuse, EventsAndStoppedReads) {
    HidDevice events(*backend_);
    ASSERT_TRUE(openFirstMatching(events, InterfaceRole::Events).found);
    std::array<std::uint8_t, 3> report{};
    std::size_t n = 0;
    EXPECT_FALSE(events.read(report, 30, n)); // nothing yet: times out
    ASSERT_TRUE(mount_->control("event 0x1811"));
    ASSERT_TRUE(events.read(report, 1000, n));
    ASSERT_TRUE(events.unpackInput(std::span(report).first(n)));
    EXPECT_EQ(events.inputItems().at(0).usages.at(0), 0x1811);

    ASSERT_TRUE(events.read(report, 1000, n)); // the release
    auto blocked = std::async(std::launch::async, [&] {
        std::array<std::uint8_t, 3> buffer{};
        std::size_t count = 0;
        return events.read(buffer, kInfiniteTimeout, count);
    });
    std::this_thread::sleep_for(50ms);
    events.stopTransfers();
    ASSERT_EQ(blocked.wait_for(5s), std::future_status::ready);
    EXPECT_FALSE(blocked.get());
}

// The presence watcher on the real backend over the FUSE tree: the removal is
// reported by the hang-up of the open handle (every poll of a present keyboard
// is an hour away); the tree gives no notice of arrivals, so those are found
// by the absent keyboard's scan.
TEST_F(HidrawThroughFuse, PresenceWatcherHearsTheUnplugAndScansForTheReturn) {
    transport_.reset();
    device_->close();
    interfaceOpen_ = 0;
    DeviceLinkState state;
    HidDevice device(*backend_);
    Transport transport(device, state.interfaceOpen);
    kw::testing::RecordingWindow window;
    PresenceWatcher watcher(device, transport, state, window,
                            {std::chrono::milliseconds(1), std::chrono::hours(1),
                             std::chrono::milliseconds(50), std::chrono::hours(1)});
    watcher.start();
    ASSERT_TRUE(window.waitFor("show"));
    ASSERT_TRUE(mount_->control("unplug"));
    ASSERT_TRUE(window.waitFor("icon 128"));
    ASSERT_TRUE(mount_->control("plug"));
    // Found again: the arrival's steps run a second time.
    ASSERT_TRUE(window.waitFor("icon 141", 2));
    watcher.stop();
}

} // namespace
} // namespace kw
