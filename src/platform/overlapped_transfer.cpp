#include "platform/overlapped_transfer.h"

#include <algorithm>

namespace kw {

OverlappedTransfer::OverlappedTransfer(HANDLE handle)
    : handle_(handle), readDone_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      writeDone_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      stop_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

OverlappedTransfer::~OverlappedTransfer() {
    for (HANDLE event : {readDone_, writeDone_, stop_}) {
        if (event) {
            CloseHandle(event);
        }
    }
}

TransferResult OverlappedTransfer::read(std::span<std::uint8_t> report, std::size_t minimumLength,
                                        int timeoutMs, std::size_t& transferred) {
    transferred = 0;
    std::lock_guard lock(readLock_);
    readBuffer_.assign(std::max(report.size(), minimumLength), 0);
    DWORD count = 0;
    const TransferResult result = run(true, readBuffer_, readDone_, timeoutMs, count);
    if (result == TransferResult::Done) {
        transferred = std::min<std::size_t>({count, report.size(), readBuffer_.size()});
        std::copy_n(readBuffer_.begin(), transferred, report.begin());
    }
    return result;
}

TransferResult OverlappedTransfer::write(std::span<const std::uint8_t> report,
                                         std::size_t minimumLength, int timeoutMs,
                                         std::size_t& transferred) {
    transferred = 0;
    std::lock_guard lock(writeLock_);
    writeBuffer_.assign(std::max(report.size(), minimumLength), 0);
    std::copy(report.begin(), report.end(), writeBuffer_.begin());
    DWORD count = 0;
    const TransferResult result = run(false, writeBuffer_, writeDone_, timeoutMs, count);
    if (result == TransferResult::Done) {
        transferred = std::min<std::size_t>(count, report.size());
    }
    return result;
}

void OverlappedTransfer::stop() {
    if (stop_) {
        SetEvent(stop_);
    }
}

TransferResult OverlappedTransfer::run(bool isRead, std::vector<std::uint8_t>& buffer, HANDLE done,
                                       int timeoutMs, DWORD& count) {
    count = 0;
    if (!ready() || buffer.size() > MAXDWORD) {
        return TransferResult::Failed;
    }
    OVERLAPPED overlapped{};
    overlapped.hEvent = done;
    const DWORD length = static_cast<DWORD>(buffer.size());
    const BOOL started = isRead ? ReadFile(handle_, buffer.data(), length, nullptr, &overlapped)
                                : WriteFile(handle_, buffer.data(), length, nullptr, &overlapped);
    if (!started && GetLastError() != ERROR_IO_PENDING) {
        return TransferResult::Failed;
    }
    // A transfer done at once has signalled its event too. The stop event
    // comes first, so a stop wins over a transfer that ends at the same time.
    const HANDLE events[2] = {stop_, done};
    const DWORD waited = WaitForMultipleObjects(
        2, events, FALSE, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
    if (waited == WAIT_OBJECT_0 + 1) {
        return GetOverlappedResult(handle_, &overlapped, &count, TRUE) ? TransferResult::Done
                                                                       : TransferResult::Failed;
    }
    // Stopped or timed out: the buffer and the OVERLAPPED must not be written
    // after we return, so the transfer is cancelled and its end waited for.
    CancelIoEx(handle_, &overlapped);
    DWORD late = 0;
    const BOOL finished = GetOverlappedResult(handle_, &overlapped, &late, TRUE);
    if (waited == WAIT_OBJECT_0) {
        return TransferResult::Stopped;
    }
    if (waited == WAIT_TIMEOUT && finished) {
        // It ended between the time-out and the cancel: a report read then is
        // not thrown away.
        count = late;
        return TransferResult::Done;
    }
    return waited == WAIT_TIMEOUT ? TransferResult::TimedOut : TransferResult::Failed;
}

} // namespace kw
