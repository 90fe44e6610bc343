#pragma once
// The command transport: one 64-byte command report out, one 64-byte answer
// in, with retries, bounded waits and the device-I/O lock held per report.

#include "core/device/hid_device.h"
#include "core/device/keyboard_lock.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>

namespace kw {

inline constexpr std::size_t kReportBytes = 64;

// Transport results before the status byte is looked at.
enum TransportResult : int {
    kTransportOk = 1,
    kTransportNoAnswer = 0,
    kTransportWriteFailed = -1,
    // Another program (or thread) kept the keyboard for longer than the wait.
    kTransportBusy = -301,
};

struct TransportTimings {
    int writeTimeoutMs = 1000;
    int readTimeoutMs = 300;
    int attempts = 4;
    int endTransferPauseMs = 10;
};

enum class ReportDirection { Written, Read };
// Sees every report written and every answer read (for --trace).
using ReportObserver = std::function<void(ReportDirection, std::span<const std::uint8_t>)>;

class Transport {
public:
    // `interfaceOpen` belongs to the presence watcher; the transport only reads it.
    Transport(HidDevice& device, const std::atomic<int>& interfaceOpen,
              TransportTimings timings = {});

    // 1 when an answer was read, 0 when the interface is closed or no answer
    // came in all attempts, -1 when writing the command failed, -301 when the
    // keyboard lock could not be had. Every exchange holds the keyboard lock.
    int SendCommand(std::span<const std::uint8_t> request, std::span<std::uint8_t> answer,
                    std::size_t& bytesRead);
    // True when the report was written.
    bool SendCommandNoReply(std::span<const std::uint8_t> request);

    void setObserver(ReportObserver observer) { observer_ = std::move(observer); }
    const TransportTimings& timings() const { return timings_; }

    // The keyboard lock every sequence of exchanges holds (see KeyboardLock):
    // the transport's own, or one its owner shares with it before use.
    KeyboardLock& sequenceLock() { return *sequenceLock_; }
    void shareSequenceLock(KeyboardLock& lock) { sequenceLock_ = &lock; }

    // True once a command that changes the keyboard's memory went out (the
    // window is told, so it does not keep an older image).
    bool keyboardWritten() const { return keyboardWritten_; }
    void markKeyboardWritten() { keyboardWritten_ = true; }

private:
    bool writePacket(std::span<const std::uint8_t> packet);

    HidDevice& device_;
    const std::atomic<int>& interfaceOpen_;
    TransportTimings timings_;
    std::mutex ioLock_;
    ReportObserver observer_;
    KeyboardLock ownLock_;
    KeyboardLock* sequenceLock_ = &ownLock_;
    std::atomic<bool> keyboardWritten_{false};
};

} // namespace kw
