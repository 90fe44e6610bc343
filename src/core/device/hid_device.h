#pragma once
// One HID interface of the keyboard: the list of present interfaces, the
// opened interface with its identity and capabilities, bounded transfers with
// a stop signal, and the unpacking of input reports into `HidDataItem`s.

#include "core/device/hid_backend.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kw {

// The capability facts the callers use (the platform's HIDP_CAPS).
struct HidCaps {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t inputReportByteLength = 0;
    std::uint16_t outputReportByteLength = 0;
    std::uint16_t featureReportByteLength = 0;
    std::uint16_t numberInputButtonCaps = 0;
    std::uint16_t numberInputValueCaps = 0;
};

// Status values of the platform's report decoding, kept for callers that look.
inline constexpr std::uint32_t kHidpStatusSuccess = 0x00110000;
inline constexpr std::uint32_t kHidpStatusBadLogPhyValues = 0xC0110006;
inline constexpr std::uint32_t kHidpStatusBufferTooSmall = 0xC0110007;

// One control of the input report and its state after the last unpack.
struct HidDataItem {
    bool isButton = false;
    std::uint16_t usagePage = 0;
    std::uint32_t status = kHidpStatusSuccess;
    std::uint8_t reportId = 0;
    bool isDataSet = false;
    // Buttons.
    std::uint16_t usageMin = 0;
    std::uint16_t usageMax = 0;
    std::uint32_t maxUsageCount = 0;
    std::vector<std::uint16_t> usages; // maxUsageCount entries, 0-terminated when fewer are active
    // Values.
    std::uint16_t usage = 0;
    std::uint32_t value = 0;
    std::int32_t scaledValue = 0;
    // Where the control sits: the input field and, for values, its field index.
    std::size_t fieldIndex = 0;
    std::uint32_t valueIndex = 0;
};

// Upper bound of all button usage lists of one interface together; a
// descriptor that needs more is refused at open.
inline constexpr std::size_t kMaxUsageListCells = 1u << 16;

class HidDevice {
public:
    explicit HidDevice(HidBackend& backend);
    ~HidDevice();
    HidDevice(const HidDevice&) = delete;
    HidDevice& operator=(const HidDevice&) = delete;

    // Rebuilds the list of present interfaces; false when the platform failed.
    bool enumerate();
    // The next interface of the list, or null when exhausted.
    const HidInterfaceEntry* nextPath();
    void clearPaths();

    bool open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive);
    bool close();
    bool isOpen() const;
    // Why the last open failed (access denied is worth telling the user).
    HidOpenError lastOpenError() const { return lastOpenError_; }
    const std::string& path() const { return path_; }

    // Whole-report transfers; false on time-out, stop or failure with 0 bytes.
    bool read(std::span<std::uint8_t> buffer, int timeoutMs, std::size_t& transferred);
    bool write(std::span<const std::uint8_t> buffer, int timeoutMs, std::size_t& transferred);
    // Ends a transfer that is waiting on another thread.
    void stopTransfers();
    // True while an interface at `path` exists; used as the presence test.
    bool exists(const std::string& path);
    // True while the open handle still reaches its device.
    bool isAlive() const;
    // The open handle (null while closed), for a watcher that waits on it.
    std::shared_ptr<const HidConnection> connection() const;
    HidBackend& backend() const { return backend_; }

    bool unpackInput(std::span<const std::uint8_t> report);

    HidAttributes attributes() const { return attributes_; }
    HidCaps caps() const { return caps_; }
    std::span<std::uint8_t> inputReportBuffer() { return inputBuffer_; }
    const std::vector<HidDataItem>& inputItems() const { return items_; }

private:
    bool transfer(bool isRead, std::span<std::uint8_t> in, std::span<const std::uint8_t> out,
                  int timeoutMs, std::size_t& transferred);
    bool describe(const HidConnection& connection);

    HidBackend& backend_;
    std::vector<HidInterfaceEntry> paths_;
    std::size_t cursor_ = 0;

    HidOpenOptions options_;
    std::string path_;
    HidOpenError lastOpenError_ = HidOpenError::None;
    // Guards the connection pointer only; a transfer keeps its own reference,
    // so closing on another thread never frees what a transfer still uses.
    mutable std::mutex connectionMutex_;
    std::shared_ptr<HidConnection> connection_;
    std::atomic<bool> readInProgress_{false};
    std::atomic<bool> writeInProgress_{false};

    HidAttributes attributes_;
    HidCaps caps_;
    std::vector<InputField> fields_;
    std::vector<std::uint8_t> inputBuffer_;
    std::vector<HidDataItem> items_;
    std::vector<std::uint16_t> scratch_;
};

} // namespace kw
