#pragma once
// One begin/write/end transaction of lighting or colour writes.

#include "core/device/transport.h"

#include <cstdint>
#include <span>

namespace kw {

struct AreaWrite {
    std::uint16_t offset = 0;
    std::span<const std::uint8_t> bytes; // at most 56
};

using AreaWriteCommand = int (*)(Transport&, std::uint16_t, std::span<const std::uint8_t>);

// BeginTransfer, each write with `command`, EndTransfer. After the first
// command the keyboard refuses or does not answer, the remaining writes are
// skipped (a keyboard that stopped answering would otherwise cost seconds per
// write), but the sequence is still closed. Returns 1, or the first failure
// (kCommandBusy, with nothing sent, when another program kept the keyboard).
int RunWriteTransaction(Transport& transport, AreaWriteCommand command,
                        std::span<const AreaWrite> writes);

} // namespace kw
