#include "core/config/config_block.h"

#include "core/config/config_block_codec.h"

#include <numeric>

namespace kw {

std::uint16_t gKeyIdentity(int keyIndex) {
    const int n = keyIndex - kFirstGKeyIndex;
    if (n < 0 || n >= kGKeyIndexCount) {
        return 0;
    }
    return static_cast<std::uint16_t>(n < 9 ? 0x0301 + n : 0x1301 + (n - 9));
}

std::uint8_t headerChecksum(const ConfigHeader& header) {
    const auto bytes = encodeConfigHeader(header);
    return static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end() - 1, 0u) & 0xFF);
}

void stampHeader(ConfigBlock& block, std::uint16_t macroCount, std::uint32_t poolBytes,
                 std::uint8_t flag) {
    ConfigHeader& h = block.header;
    h = ConfigHeader{};
    h.magic = kConfigMagic;
    h.headerSize = kConfigHeaderSize;
    h.formatA = kConfigFormatA;
    h.formatB = kConfigFormatB;
    h.totalSize = static_cast<std::uint32_t>(configurationSize(macroCount, poolBytes));
    h.entryCount = kEntryCount;
    h.macroCount = macroCount;
    h.poolBytes = poolBytes;
    h.flag = flag;
    h.checksum = headerChecksum(h);
}

void setGKeyIdentities(ConfigBlock& block, int group) {
    for (int k = kFirstGKeyIndex; k < kFirstGKeyIndex + kGKeyIndexCount; ++k) {
        block.entries[entryNumber(group, k)].keyId = gKeyIdentity(k);
    }
}

std::unique_ptr<ConfigBlock> makeDefaultBlock(std::uint8_t flag) {
    auto block = std::make_unique<ConfigBlock>();
    stampHeader(*block, 0, 0, flag);
    block->signature = kDeviceSignature;
    setGKeyIdentities(*block, 0);
    return block;
}

bool headerIsValid(const ConfigHeader& h) {
    return h.magic == kConfigMagic && h.headerSize == kConfigHeaderSize &&
           h.formatA == kConfigFormatA && h.formatB == kConfigFormatB &&
           h.totalSize >= kConfigBlockSize && h.entryCount == kEntryCount &&
           h.macroCount <= kMacroCountMax && h.flag < 2 &&
           h.totalSize == configurationSize(h.macroCount, h.poolBytes) &&
           h.checksum == headerChecksum(h);
}

} // namespace kw
