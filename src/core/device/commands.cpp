#include "core/device/commands.h"

#include "core/base/bytes.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace kw {

namespace {

// One exchange; on acceptance the answer's data is in `answer` from byte 8.
int exchange(Transport& transport, const CommandPacket& packet, CommandPacket& answer) {
    answer.fill(0);
    std::size_t bytesRead = 0;
    const int result = transport.SendCommand(packet, answer, bytesRead);
    if (result != kTransportOk) {
        return result;
    }
    return statusOfAnswer(answer);
}

int simple(Transport& transport, std::uint8_t command, std::uint8_t length = 0,
           std::uint16_t offset = 0, std::span<const std::uint8_t> payload = {}) {
    CommandPacket answer{};
    return exchange(transport, buildCommandPacket(command, length, offset, payload), answer);
}

// Chunks of at most 56 bytes at offsets base + 0, 56, 112, ...; stops at the
// first result other than 1, leaving what was already transferred.
int readChunked(Transport& transport, std::uint8_t command, std::uint16_t base,
                std::span<std::uint8_t> area) {
    for (std::size_t at = 0; at < area.size(); at += kPayloadBytes) {
        const auto length = static_cast<std::uint8_t>(std::min(kPayloadBytes, area.size() - at));
        CommandPacket answer{};
        const int result = exchange(
            transport, buildCommandPacket(command, length, static_cast<std::uint16_t>(base + at)),
            answer);
        if (result != kCommandOk) {
            return result;
        }
        std::copy_n(answer.begin() + 8, length, area.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return kCommandOk;
}

int writeChunked(Transport& transport, std::uint8_t command, std::uint16_t base,
                 std::span<const std::uint8_t> area) {
    transport.markKeyboardWritten();
    for (std::size_t at = 0; at < area.size(); at += kPayloadBytes) {
        const std::size_t length = std::min(kPayloadBytes, area.size() - at);
        const int result = simple(transport, command, static_cast<std::uint8_t>(length),
                                  static_cast<std::uint16_t>(base + at), area.subspan(at, length));
        if (result != kCommandOk) {
            return result;
        }
    }
    return kCommandOk;
}

bool validProfile(int profile) {
    return profile >= 0 && profile < kProfileCount;
}

std::uint16_t keyTableBase(int profile) {
    return static_cast<std::uint16_t>(profile * kKeyTableStride);
}

// Areas are addressed by a 16-bit offset.
constexpr std::size_t kMaxAreaBytes = 0x10000;

} // namespace

std::uint16_t packetChecksum(std::span<const std::uint8_t> packet) {
    std::uint32_t sum = 0;
    for (std::size_t i = 3; i < packet.size() && i < kReportBytes; ++i) {
        sum += packet[i];
    }
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

CommandPacket buildCommandPacket(std::uint8_t command, std::uint8_t length, std::uint16_t offset,
                                 std::span<const std::uint8_t> payload) {
    CommandPacket packet{};
    packet[0] = kReportIdCommand;
    packet[3] = command;
    packet[4] = length;
    storeU16(packet, 5, offset);
    std::copy_n(payload.begin(), std::min(payload.size(), kPayloadBytes), packet.begin() + 8);
    storeU16(packet, 1, packetChecksum(packet));
    return packet;
}

int statusOfAnswer(std::span<const std::uint8_t> answer) {
    const std::uint8_t status = answer.size() > 7 ? answer[7] : 0;
    if (status == kStatusRefused) {
        return kCommandRefused;
    }
    if (status == kStatusFailed) {
        return kCommandFailed;
    }
    return kCommandOk;
}

int BeginTransfer(Transport& transport) {
    return simple(transport, kCmdBeginTransfer);
}

int EndTransfer(Transport& transport) {
    std::this_thread::sleep_for(std::chrono::milliseconds(transport.timings().endTransferPauseMs));
    return simple(transport, kCmdEndTransfer);
}

int ReadDeviceInfo(Transport& transport, DeviceInfo& info) {
    CommandPacket answer{};
    const int result =
        exchange(transport, buildCommandPacket(kCmdReadDeviceInfo, kDeviceInfoBytes, 0), answer);
    if (result == kCommandOk) {
        std::copy_n(answer.begin() + 8, kDeviceInfoBytes, info.bytes.begin());
    }
    return result;
}

int WriteDeviceInfo(Transport& transport, const DeviceInfo& info) {
    transport.markKeyboardWritten();
    return simple(transport, kCmdWriteDeviceInfo, kDeviceInfoBytes, 0, info.bytes);
}

int ReadParameters(Transport& transport, std::uint8_t length, std::uint16_t offset,
                   std::span<std::uint8_t> out) {
    if (length > kPayloadBytes) {
        return kCommandBadArgument;
    }
    CommandPacket answer{};
    const int result =
        exchange(transport, buildCommandPacket(kCmdReadParameters, length, offset), answer);
    if (result == kCommandOk) {
        std::copy_n(answer.begin() + 8, std::min(out.size(), kPayloadBytes), out.begin());
    }
    return result;
}

int WriteParameters(Transport& transport, std::uint16_t offset,
                    std::span<const std::uint8_t> data) {
    if (data.size() > kPayloadBytes) {
        return kCommandBadArgument;
    }
    transport.markKeyboardWritten();
    return simple(transport, kCmdWriteParameters, static_cast<std::uint8_t>(data.size()), offset,
                  data);
}

int ReadDefaultMatrix(Transport& transport, std::span<std::uint8_t> matrix) {
    if (matrix.size() != kKeyTableTransferBytes) {
        return kCommandBadArgument;
    }
    return readChunked(transport, kCmdReadDefaultMatrix, 0, matrix);
}

int WriteKeyMatrix(Transport& transport, int profile, std::span<const std::uint8_t> matrix) {
    if (!validProfile(profile) || matrix.size() != kKeyTableTransferBytes) {
        return kCommandBadArgument;
    }
    return writeChunked(transport, kCmdWriteKeyMatrix, keyTableBase(profile), matrix);
}

int ReadKeyMatrix(Transport& transport, int profile, std::span<std::uint8_t> matrix) {
    if (!validProfile(profile) || matrix.size() != kKeyTableTransferBytes) {
        return kCommandBadArgument;
    }
    return readChunked(transport, kCmdReadKeyMatrix, keyTableBase(profile), matrix);
}

int ReadMacroArea(Transport& transport, std::span<std::uint8_t> area) {
    if (area.size() > kMaxAreaBytes) {
        return kCommandBadArgument;
    }
    return readChunked(transport, kCmdReadMacroArea, 0, area);
}

int WriteMacroArea(Transport& transport, std::span<const std::uint8_t> area) {
    if (area.size() > kMaxAreaBytes) {
        return kCommandBadArgument;
    }
    return writeChunked(transport, kCmdWriteMacroArea, 0, area);
}

int WriteKeyColours(Transport& transport, std::uint16_t offset,
                    std::span<const std::uint8_t> colours) {
    if (colours.size() > kPayloadBytes) {
        return kCommandBadArgument;
    }
    transport.markKeyboardWritten();
    return simple(transport, kCmdWriteKeyColours, static_cast<std::uint8_t>(colours.size()), offset,
                  colours);
}

int EnterBootMode(Transport& transport) {
    CommandPacket packet{};
    packet[0] = kReportIdCommand;
    packet[3] = kCmdEnterBootMode;
    packet[4] = kCmdEnterBootMode;
    return transport.SendCommandNoReply(packet) ? kCommandOk : kCommandNoAnswer;
}

} // namespace kw
