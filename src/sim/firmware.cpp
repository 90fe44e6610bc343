#include "sim/firmware.h"

#include "core/base/bytes.h"

#include <algorithm>

namespace kw::sim {

namespace {

struct Request {
    std::uint8_t command = 0;
    std::uint8_t length = 0;
    std::uint16_t offset = 0;
    std::span<const std::uint8_t> payload;
};

bool fits(std::size_t offset, std::size_t length, std::size_t size) {
    return length <= kPayloadBytes && offset <= size && length <= size - offset;
}

// Key tables and colour areas: profile p at 512 x p, 420 bytes used in each.
template <typename Areas>
std::uint8_t* pagedArea(Areas& areas, const Request& r) {
    const std::size_t profile = r.offset / kAreaStride;
    const std::size_t at = r.offset % kAreaStride;
    if (profile >= kProfiles || !fits(at, r.length, kKeyTableBytes)) {
        return nullptr;
    }
    return areas[profile].data() + at;
}

FirmwareReply accept(std::span<const std::uint8_t> report,
                     std::span<const std::uint8_t> data = {}) {
    return {makeAnswer(report, kStatusAccepted, data), false};
}

FirmwareReply refuse(std::span<const std::uint8_t> report) {
    return {makeAnswer(report, kStatusRefused), false};
}

FirmwareReply readFrom(std::span<const std::uint8_t> report, const std::uint8_t* source,
                       std::size_t length) {
    if (source == nullptr) {
        return refuse(report);
    }
    return accept(report, {source, length});
}

FirmwareReply writeTo(std::span<const std::uint8_t> report, std::uint8_t* target,
                      const Request& r) {
    if (target == nullptr) {
        return refuse(report);
    }
    std::copy_n(r.payload.begin(), r.length, target);
    return accept(report);
}

} // namespace

CommandPacket makeAnswer(std::span<const std::uint8_t> command, std::uint8_t status,
                         std::span<const std::uint8_t> data) {
    CommandPacket answer{};
    answer[0] = kReportIdCommand;
    std::copy_n(command.begin() + 3,
                std::min<std::size_t>(4, command.size() > 3 ? command.size() - 3 : 0),
                answer.begin() + 3);
    answer[7] = status;
    std::copy_n(data.begin(), std::min(data.size(), kPayloadBytes), answer.begin() + 8);
    storeU16(answer, 1, packetChecksum(answer));
    return answer;
}

FirmwareReply handleCommand(KeyboardMemory& memory, std::span<const std::uint8_t> report) {
    CommandPacket packet{};
    std::copy_n(report.begin(), std::min(report.size(), packet.size()), packet.begin());
    Request r;
    r.command = packet[3];
    r.length = packet[4];
    r.offset = loadU16(packet, 5);
    r.payload = std::span<const std::uint8_t>(packet).subspan(8);

    if (packet[0] != kReportIdCommand) {
        return {makeAnswer(packet, kStatusFailed), false};
    }
    if (r.command == kCmdEnterBootMode && r.length == kCmdEnterBootMode) {
        return {std::nullopt, true};
    }
    if (loadU16(packet, 1) != packetChecksum(packet)) {
        return {makeAnswer(packet, kStatusFailed), false};
    }

    switch (r.command) {
    case kCmdBeginTransfer:
    case kCmdEndTransfer:
        return accept(packet);
    case kCmdReadDeviceInfo:
        return accept(packet, memory.info.bytes);
    case kCmdWriteDeviceInfo:
        // Only the active profile is the host's to change.
        if (r.length != kDeviceInfoBytes || r.payload[10] >= kProfiles) {
            return refuse(packet);
        }
        memory.info.setActiveProfile(r.payload[10]);
        return accept(packet);
    case kCmdReadParameters: {
        // The host reads whole 56-byte windows at 0, 42 and 84; past the end of
        // the area the keyboard answers zeros.
        if (r.length > kPayloadBytes || r.offset >= kLightingAreaBytes) {
            return refuse(packet);
        }
        std::array<std::uint8_t, kPayloadBytes> data{};
        const std::size_t n = std::min<std::size_t>(r.length, kLightingAreaBytes - r.offset);
        std::copy_n(memory.lighting.begin() + r.offset, n, data.begin());
        return accept(packet, data);
    }
    case kCmdWriteParameters:
        return writeTo(packet,
                       fits(r.offset, r.length, kLightingAreaBytes)
                           ? memory.lighting.data() + r.offset
                           : nullptr,
                       r);
    case kCmdReadDefaultMatrix:
        return readFrom(packet,
                        fits(r.offset, r.length, kKeyTableBytes)
                            ? memory.defaultMatrix.data() + r.offset
                            : nullptr,
                        r.length);
    case kCmdReadKeyMatrix:
        return readFrom(packet, pagedArea(memory.keyTables, r), r.length);
    case kCmdWriteKeyMatrix:
        return writeTo(packet, pagedArea(memory.keyTables, r), r);
    case kCmdWriteKeyColours:
        return writeTo(packet, pagedArea(memory.keyColours, r), r);
    case kCmdReadMacroArea:
        return readFrom(packet,
                        fits(r.offset, r.length, memory.macroArea.size())
                            ? memory.macroArea.data() + r.offset
                            : nullptr,
                        r.length);
    case kCmdWriteMacroArea:
        return writeTo(packet,
                       fits(r.offset, r.length, memory.macroArea.size())
                           ? memory.macroArea.data() + r.offset
                           : nullptr,
                       r);
    default:
        return refuse(packet);
    }
}

} // namespace kw::sim
