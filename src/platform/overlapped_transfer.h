#pragma once
// Bounded transfers on a handle opened for overlapped I/O: a read or write is
// started, then waited for together with a stop event, at most the time-out.
// A transfer that is still pending when the wait ends is cancelled and waited
// for before returning, so the platform never writes into a buffer afterwards.

#include "core/device/hid_backend.h"
#include "platform/windows_hid_api.h"

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace kw {

class OverlappedTransfer {
public:
    // `handle` stays owned by the caller and must outlive this object.
    explicit OverlappedTransfer(HANDLE handle);
    ~OverlappedTransfer();
    OverlappedTransfer(const OverlappedTransfer&) = delete;
    OverlappedTransfer& operator=(const OverlappedTransfer&) = delete;

    // False when the events could not be created; no transfer works then.
    bool ready() const { return readDone_ && writeDone_ && stop_; }

    // Reads into an own buffer of max(report.size(), minimumLength) bytes
    // (HID reads need room for a whole input report) and copies what fits.
    TransferResult read(std::span<std::uint8_t> report, std::size_t minimumLength, int timeoutMs,
                        std::size_t& transferred);
    // Writes `report`, padded with zeros to `minimumLength` (HID writes are
    // whole output reports); `transferred` counts the caller's bytes only.
    TransferResult write(std::span<const std::uint8_t> report, std::size_t minimumLength,
                         int timeoutMs, std::size_t& transferred);
    // Ends a waiting transfer at once; safe from any thread. A stop signalled
    // while nothing waits ends the next transfer.
    void stop();

private:
    TransferResult run(bool isRead, std::vector<std::uint8_t>& buffer, HANDLE done, int timeoutMs,
                       DWORD& count);

    HANDLE handle_;
    // Three auto-reset events for the object's whole life.
    HANDLE readDone_;
    HANDLE writeDone_;
    HANDLE stop_;
    // One read and one write at a time, each with its own buffer.
    std::mutex readLock_;
    std::mutex writeLock_;
    std::vector<std::uint8_t> readBuffer_;
    std::vector<std::uint8_t> writeBuffer_;
};

} // namespace kw
