#pragma once
// The keyboard's command handling: one command report in, at most one answer
// out, acting on the keyboard's memory. Offsets and lengths outside an area
// are refused with status 0xFF; a report whose checksum does not add up
// fails with 0xFE.

#include "core/device/commands.h"
#include "sim/keyboard_memory.h"

#include <optional>
#include <span>

namespace kw::sim {

struct FirmwareReply {
    std::optional<CommandPacket> answer; // none for the boot-mode command
    bool entersBootMode = false;
};

inline constexpr std::uint8_t kStatusAccepted = 0x00;

FirmwareReply handleCommand(KeyboardMemory& memory, std::span<const std::uint8_t> report);

// An answer report: the command's header echoed, `status` at byte 7, data from byte 8.
CommandPacket makeAnswer(std::span<const std::uint8_t> command, std::uint8_t status,
                         std::span<const std::uint8_t> data = {});

} // namespace kw::sim
