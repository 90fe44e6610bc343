#include "core/config/config_block_codec.h"

#include <algorithm>

namespace kw {

namespace {

void readHeader(ByteReader& in, ConfigHeader& h) {
    h.magic = in.u16();
    h.headerSize = in.u16();
    h.formatA = in.u16();
    h.formatB = in.u16();
    h.totalSize = in.u32();
    h.entryCount = in.u16();
    h.macroCount = in.u16();
    h.poolBytes = in.u32();
    h.reserved20 = in.u32();
    h.reserved24 = in.u32();
    h.reserved28 = in.u16();
    h.flag = in.u8();
    h.checksum = in.u8();
}

void writeHeader(ByteWriter& out, const ConfigHeader& h) {
    out.u16(h.magic);
    out.u16(h.headerSize);
    out.u16(h.formatA);
    out.u16(h.formatB);
    out.u32(h.totalSize);
    out.u16(h.entryCount);
    out.u16(h.macroCount);
    out.u32(h.poolBytes);
    out.u32(h.reserved20);
    out.u32(h.reserved24);
    out.u16(h.reserved28);
    out.u8(h.flag);
    out.u8(h.checksum);
}

} // namespace

std::array<std::uint8_t, kConfigHeaderSize> encodeConfigHeader(const ConfigHeader& header) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kConfigHeaderSize);
    ByteWriter out(bytes);
    writeHeader(out, header);
    std::array<std::uint8_t, kConfigHeaderSize> result{};
    std::copy(bytes.begin(), bytes.end(), result.begin());
    return result;
}

bool decodeConfigHeader(std::span<const std::uint8_t> bytes, ConfigHeader& header) {
    if (bytes.size() < kConfigHeaderSize) {
        return false;
    }
    ByteReader in(bytes);
    readHeader(in, header);
    return in.ok();
}

void appendConfigBlock(ByteWriter& out, const ConfigBlock& block) {
    writeHeader(out, block.header);
    out.bytes(block.signature);
    for (const KeyEntry& e : block.entries) {
        out.u16(static_cast<std::uint16_t>(e.type));
        out.u16(e.keyId);
        out.u32(e.value);
        out.u32(e.mark);
        out.u32(e.extra);
    }
}

bool decodeConfigBlock(std::span<const std::uint8_t> bytes, ConfigBlock& block) {
    if (bytes.size() < kConfigBlockSize) {
        return false;
    }
    ByteReader in(bytes.first(kConfigBlockSize));
    readHeader(in, block.header);
    const auto signature = in.take(kSignatureSize);
    std::copy(signature.begin(), signature.end(), block.signature.begin());
    for (KeyEntry& e : block.entries) {
        e.type = static_cast<KeyEntryType>(in.u16());
        e.keyId = in.u16();
        e.value = in.u32();
        e.mark = in.u32();
        e.extra = in.u32();
    }
    return in.ok();
}

void appendMacroRecord(ByteWriter& out, const MacroRecord& r) {
    for (char16_t c : r.name) {
        out.u16(static_cast<std::uint16_t>(c));
    }
    out.u8(r.repeatCount);
    out.u8(r.reserved501);
    out.u16(r.pendingFlag);
    out.u16(r.playMode);
    out.u16(r.macroId);
    out.u16(r.actionCount);
    out.u16(r.reserved510);
    for (const MacroAction& a : r.actions) {
        out.u32(a.delayMs);
        out.u16(a.keyCode);
        out.u16(a.isRelease);
    }
}

bool decodeMacroRecord(std::span<const std::uint8_t> bytes, MacroRecord& r) {
    if (bytes.size() < kMacroRecordSize) {
        return false;
    }
    ByteReader in(bytes.first(kMacroRecordSize));
    for (char16_t& c : r.name) {
        c = static_cast<char16_t>(in.u16());
    }
    r.repeatCount = in.u8();
    r.reserved501 = in.u8();
    r.pendingFlag = in.u16();
    r.playMode = in.u16();
    r.macroId = in.u16();
    r.actionCount = in.u16();
    r.reserved510 = in.u16();
    for (MacroAction& a : r.actions) {
        a.delayMs = in.u32();
        a.keyCode = in.u16();
        a.isRelease = in.u16();
    }
    return in.ok();
}

} // namespace kw
