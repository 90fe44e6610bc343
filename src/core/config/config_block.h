#pragma once
// The configuration block: header, device signature and the 2048 key entries
// of the four groups. In memory it is a plain structure; its 32832-byte file
// form is read and written field by field in config_block_codec.

#include "core/config/macro_record.h"
#include "core/keys/key_codes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace kw {

inline constexpr std::uint16_t kConfigMagic = 0x4446; // "FD"
inline constexpr std::uint16_t kConfigHeaderSize = 32;
inline constexpr std::uint16_t kConfigFormatA = 3;
inline constexpr std::uint16_t kConfigFormatB = 1;
inline constexpr std::size_t kSignatureSize = 32;
inline constexpr std::size_t kKeyEntrySize = 16;
inline constexpr std::uint16_t kEntryCount = 2048;
inline constexpr std::size_t kConfigBlockSize =
    kConfigHeaderSize + kSignatureSize + kEntryCount * kKeyEntrySize; // 32832

inline constexpr int kGroupCount = 4;
inline constexpr int kProfileCount = 3;
inline constexpr int kEntriesPerGroup = 512;

// The G-key entries: nine on the first page (keyIndex 256..264), nine on the
// second (265..273) that only the keyboard's own tables address.
inline constexpr int kGKeyIndexCount = 18;

enum class KeyEntryType : std::uint16_t {
    KeyDefault = 0,
    KeyDisabled = 1,
    KeySingle = 2,
    KeyLaunch = 3,
    KeyMacro = 4,
    KeySpecial = 5,
    KeyText = 6,
    KeyMedia = 7,
    KeyFunction = 8,
};

struct KeyEntry {
    KeyEntryType type = KeyEntryType::KeyDefault; // may hold any value read from a file
    std::uint16_t keyId = 0;
    std::uint32_t value = 0;
    std::uint32_t mark = 0;
    std::uint32_t extra = 0;

    bool operator==(const KeyEntry&) const = default;
};

struct ConfigHeader {
    std::uint16_t magic = 0;
    std::uint16_t headerSize = 0;
    std::uint16_t formatA = 0;
    std::uint16_t formatB = 0;
    std::uint32_t totalSize = 0;
    std::uint16_t entryCount = 0;
    std::uint16_t macroCount = 0;
    std::uint32_t poolBytes = 0;
    std::uint32_t reserved20 = 0;
    std::uint32_t reserved24 = 0;
    std::uint16_t reserved28 = 0;
    std::uint8_t flag = 0;
    std::uint8_t checksum = 0;

    bool operator==(const ConfigHeader&) const = default;
};

using DeviceSignature = std::array<std::uint8_t, kSignatureSize>;

// Written with every new block and never interpreted.
inline constexpr DeviceSignature kDeviceSignature = {
    0x4B, 0x48, 0x20, 0x00, 0x20, 0x80, 0x00, 0x00, 0x04, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00,
    0x45, 0x0C, 0x04, 0x50, 0x4F, 0x1C, 0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

struct ConfigBlock {
    ConfigHeader header;
    DeviceSignature signature{};
    std::array<KeyEntry, kEntryCount> entries{};

    bool operator==(const ConfigBlock&) const = default;
};

constexpr std::size_t entryNumber(int group, int keyIndex) {
    return static_cast<std::size_t>(group) * kEntriesPerGroup + static_cast<std::size_t>(keyIndex);
}

// keyId of keyIndex 256..273: 0x0301..0x0309, then 0x1301..0x1309; 0 for every other key.
std::uint16_t gKeyIdentity(int keyIndex);

// Rewrites the whole header for `macroCount` records and `poolBytes` of strings, with its checksum.
void stampHeader(ConfigBlock& block, std::uint16_t macroCount, std::uint32_t poolBytes,
                 std::uint8_t flag);

// totalSize of a configuration with these counts (64 bits: a file's claims may not fit in 32).
constexpr std::uint64_t configurationSize(std::uint64_t macroCount, std::uint64_t poolBytes) {
    return macroCount * kMacroRecordSize + poolBytes + kConfigBlockSize;
}

// A block with a stamped empty header, the signature, zero entries and the G-key identities of
// group 0.
std::unique_ptr<ConfigBlock> makeDefaultBlock(std::uint8_t flag = 0);

// Gives the G-key entries of `group` their identities (the other fields stay).
void setGKeyIdentities(ConfigBlock& block, int group);

// The checksum byte the header's other fields call for: the sum of bytes 0..30, modulo 256.
std::uint8_t headerChecksum(const ConfigHeader& header);

// The validity rules of a profile file's header (size and layout are checked by the file reader).
bool headerIsValid(const ConfigHeader& header);

} // namespace kw
