#pragma once
// Every command the system sends to the keyboard, as a typed operation over
// the transport. Results: 1 accepted, 0 no answer or interface closed, -1 the
// write failed, -102 status 0xFF (refused), -103 status 0xFE (failed),
// -201 bad argument (nothing sent), -301 another program holds the keyboard
// (nothing sent).

#include "core/config/config_block.h" // kProfileCount
#include "core/device/device_info.h"
#include "core/device/transport.h"

#include <array>
#include <cstdint>
#include <span>

namespace kw {

inline constexpr std::size_t kPayloadBytes = 56;
inline constexpr std::size_t kKeyTableTransferBytes = 420;
inline constexpr std::uint16_t kKeyTableStride = 512;

enum CommandCode : std::uint8_t {
    kCmdBeginTransfer = 0x01,
    kCmdEndTransfer = 0x02,
    kCmdReadDeviceInfo = 0x03,
    kCmdWriteDeviceInfo = 0x04,
    kCmdReadParameters = 0x05,
    kCmdWriteParameters = 0x06,
    kCmdReadDefaultMatrix = 0x07,
    kCmdWriteKeyMatrix = 0x08,
    kCmdReadMacroArea = 0x09,
    kCmdWriteMacroArea = 0x0A,
    kCmdReadKeyMatrix = 0x0F,
    kCmdWriteKeyColours = 0x11,
    kCmdEnterBootMode = 0xEE,
};

enum CommandResult : int {
    kCommandOk = 1,
    kCommandNoAnswer = 0,
    kCommandWriteFailed = -1,
    kCommandRefused = -102,
    kCommandFailed = -103,
    kCommandBadArgument = -201,
    kCommandBusy = kTransportBusy,
};

inline constexpr std::uint8_t kReportIdCommand = 4;
inline constexpr std::uint8_t kStatusRefused = 0xFF;
inline constexpr std::uint8_t kStatusFailed = 0xFE;

using CommandPacket = std::array<std::uint8_t, kReportBytes>;

// 16-bit sum of bytes 3..63.
std::uint16_t packetChecksum(std::span<const std::uint8_t> packet);
// Report id 4, command, length, offset, payload (at most 56 bytes used), checksum last.
CommandPacket buildCommandPacket(std::uint8_t command, std::uint8_t length, std::uint16_t offset,
                                 std::span<const std::uint8_t> payload = {});
// Maps an answer's status byte: 1, -102 or -103.
int statusOfAnswer(std::span<const std::uint8_t> answer);

int BeginTransfer(Transport& transport);
// Pauses as the protocol asks before closing the sequence.
int EndTransfer(Transport& transport);
int ReadDeviceInfo(Transport& transport, DeviceInfo& info);
int WriteDeviceInfo(Transport& transport, const DeviceInfo& info);
// Reads `length` bytes of the lighting area at `offset` into `out` (at most 56).
int ReadParameters(Transport& transport, std::uint8_t length, std::uint16_t offset,
                   std::span<std::uint8_t> out);
int WriteParameters(Transport& transport, std::uint16_t offset, std::span<const std::uint8_t> data);
int ReadDefaultMatrix(Transport& transport, std::span<std::uint8_t> matrix);
int WriteKeyMatrix(Transport& transport, int profile, std::span<const std::uint8_t> matrix);
int ReadKeyMatrix(Transport& transport, int profile, std::span<std::uint8_t> matrix);
int ReadMacroArea(Transport& transport, std::span<std::uint8_t> area);
int WriteMacroArea(Transport& transport, std::span<const std::uint8_t> area);
// `offset` = 512 x page + 3 x first key.
int WriteKeyColours(Transport& transport, std::uint16_t offset,
                    std::span<const std::uint8_t> colours);
// Writes the boot-mode packet without waiting for an answer; 1 when written, else 0.
int EnterBootMode(Transport& transport);

} // namespace kw
