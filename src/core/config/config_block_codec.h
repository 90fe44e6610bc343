#pragma once
// The file form of the configuration block and of macro records: every field
// written and read in its place, little-endian. Decoders take exactly the
// bytes of one item and refuse fewer.

#include "core/base/bytes.h"
#include "core/config/config_block.h"
#include "core/config/macro_record.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kw {

std::array<std::uint8_t, kConfigHeaderSize> encodeConfigHeader(const ConfigHeader& header);
// Reads the first 32 bytes; false when there are fewer.
bool decodeConfigHeader(std::span<const std::uint8_t> bytes, ConfigHeader& header);

void appendConfigBlock(ByteWriter& out, const ConfigBlock& block);
// Reads the first 32832 bytes; false when there are fewer.
bool decodeConfigBlock(std::span<const std::uint8_t> bytes, ConfigBlock& block);

void appendMacroRecord(ByteWriter& out, const MacroRecord& record);
// Reads the first 16512 bytes; false when there are fewer.
bool decodeMacroRecord(std::span<const std::uint8_t> bytes, MacroRecord& record);

} // namespace kw
