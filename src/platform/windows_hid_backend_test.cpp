// The Windows HID backend on the HID interfaces the system has. No keyboard
// of ours is needed: every interface found must be describable, a path that
// names nothing must be reported as missing, and a read on an interface that
// sends nothing must end by its time-out and by the stop event.

#include "core/device/hid_device.h"
#include "platform/windows_hid_backend.h"

#include <gtest/gtest.h>
#include <thread>

namespace kw {
namespace {

constexpr const char* kMissingPath =
    "\\\\?\\hid#vid_0000&pid_0000#0&0000&0&0#{4d1e55b2-f16f-11cf-88cb-001111000030}";

TEST(WindowsHidBackend, EveryListedInterfaceExistsAndIsDescribed) {
    WindowsHidBackend backend;
    const auto found = backend.enumerate();
    ASSERT_TRUE(found) << "the setup services could not be asked";
    for (const HidInterfaceEntry& entry : *found) {
        SCOPED_TRACE(entry.path);
        const HidAttributes fromPath = idsFromPathText(entry.path);
        EXPECT_EQ(entry.vendorId, fromPath.vendorId);
        EXPECT_EQ(entry.productId, fromPath.productId);
        EXPECT_TRUE(backend.exists(entry.path));
        // Without access rights, as the presence test opens it: described all the same.
        HidDevice device(backend);
        ASSERT_TRUE(device.open(entry.path, false, false, true, false));
        EXPECT_NE(device.caps().usagePage, 0);
        EXPECT_EQ(device.inputReportBuffer().size(), device.caps().inputReportByteLength);
        EXPECT_TRUE(device.isAlive());
    }
}

TEST(WindowsHidBackend, APathThatNamesNothingIsMissing) {
    WindowsHidBackend backend;
    EXPECT_FALSE(backend.exists(kMissingPath));
    const HidOpenResult opened = backend.open(kMissingPath, {true, true, true, false});
    EXPECT_FALSE(opened.connection);
    EXPECT_EQ(opened.error, HidOpenError::NotFound);
}

TEST(WindowsHidBackend, PathsAreUtf8InsideAndWideOutside) {
    const std::string path = "\\\\?\\hid#caf\xC3\xA9#\xE4\xB8\xAD";
    EXPECT_EQ(widePath(path), L"\\\\?\\hid#caf\u00E9#\u4E2D");
    EXPECT_EQ(utf8Path(widePath(path)), path);
}

// An interface the system lets us read, with nobody using it: reads then end
// only by their time-out or the stop event.
std::unique_ptr<HidConnection> quietReadableInterface(WindowsHidBackend& backend) {
    const auto found = backend.enumerate();
    if (!found) {
        return nullptr;
    }
    for (const HidInterfaceEntry& entry : *found) {
        auto opened = backend.open(entry.path, {true, false, true, false});
        if (opened.connection && opened.connection->collection().inputReportLength > 0) {
            return std::move(opened.connection);
        }
    }
    return nullptr;
}

TEST(WindowsHidBackend, ReadOnAQuietInterfaceEndsByTimeOutAndByStop) {
    WindowsHidBackend backend;
    auto connection = quietReadableInterface(backend);
    if (!connection) {
        GTEST_SKIP() << "no HID interface here may be opened for reading";
    }
    std::vector<std::uint8_t> report(connection->collection().inputReportLength, 0xAA);
    std::size_t n = 99;
    EXPECT_EQ(connection->read(report, 50, n), TransferResult::TimedOut);
    EXPECT_EQ(n, 0u);

    TransferResult result = TransferResult::Done;
    std::thread reader([&] { result = connection->read(report, kInfiniteTimeout, n); });
    connection->interrupt();
    reader.join();
    EXPECT_EQ(result, TransferResult::Stopped);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(report, std::vector<std::uint8_t>(report.size(), 0xAA));
}

} // namespace
} // namespace kw
