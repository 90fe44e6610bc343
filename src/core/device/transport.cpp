#include "core/device/transport.h"

#include <algorithm>
#include <array>

namespace kw {

namespace {

std::array<std::uint8_t, kReportBytes> toPacket(std::span<const std::uint8_t> request) {
    std::array<std::uint8_t, kReportBytes> packet{};
    std::copy_n(request.begin(), std::min(request.size(), packet.size()), packet.begin());
    return packet;
}

} // namespace

Transport::Transport(HidDevice& device, const std::atomic<int>& interfaceOpen,
                     TransportTimings timings)
    : device_(device), interfaceOpen_(interfaceOpen), timings_(timings) {}

bool Transport::writePacket(std::span<const std::uint8_t> packet) {
    std::size_t written = 0;
    bool ok = false;
    {
        std::lock_guard lock(ioLock_);
        ok = device_.write(packet, timings_.writeTimeoutMs, written);
    }
    if (ok && observer_) {
        observer_(ReportDirection::Written, packet);
    }
    return ok;
}

int Transport::SendCommand(std::span<const std::uint8_t> request, std::span<std::uint8_t> answer,
                           std::size_t& bytesRead) {
    bytesRead = 0;
    if (interfaceOpen_ == 0) {
        return kTransportNoAnswer;
    }
    // A single exchange outside any sequence must not land inside another
    // program's either: on a shared answer queue it would take its answer.
    KeyboardLockGuard held(sequenceLock());
    if (!held.held()) {
        return kTransportBusy;
    }
    const auto packet = toPacket(request);
    for (int attempt = 0; attempt < timings_.attempts; ++attempt) {
        if (!writePacket(packet)) {
            return kTransportWriteFailed;
        }
        bool ok = false;
        {
            std::lock_guard lock(ioLock_);
            ok = device_.read(answer, timings_.readTimeoutMs, bytesRead);
        }
        if (ok) {
            if (observer_) {
                observer_(ReportDirection::Read, answer.first(bytesRead));
            }
            return kTransportOk;
        }
    }
    return kTransportNoAnswer;
}

bool Transport::SendCommandNoReply(std::span<const std::uint8_t> request) {
    if (interfaceOpen_ == 0) {
        return false;
    }
    KeyboardLockGuard held(sequenceLock());
    return held.held() && writePacket(toPacket(request));
}

} // namespace kw
