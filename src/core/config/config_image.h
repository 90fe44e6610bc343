#pragma once
// The configuration image: what every key of every profile does, the macros
// and the launch and text strings. ConfigImage is the working copy the
// editors change; DeviceImage is the copy an apply packs and sends. Both
// locks are recursive and always taken ConfigImage first.

#include "core/config/config_block.h"
#include "core/config/macro_record.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

// The string of one key entry (same numbering as the entries).
struct StringSlot {
    std::u16string text;
    std::uint32_t byteLength = 0; // with its terminator; 0 = empty slot

    bool empty() const { return byteLength == 0; }
    bool operator==(const StringSlot&) const = default;
};

bool usesStringSlot(KeyEntryType type);

struct ConfigImage {
    mutable std::recursive_mutex lock;
    std::unique_ptr<ConfigBlock> block;
    std::vector<MacroRecord> macros;
    std::array<StringSlot, kEntryCount> strings;
    std::uint32_t stringBytes = 0; // sum of the slots' byte lengths

    std::uint16_t macroCount() const { return static_cast<std::uint16_t>(macros.size()); }

    void clearStrings();
    void clearMacros();
    void clearBlock();
    void createDefaultBlock(std::uint8_t flag = 0);

    // A pool of stringBytes bytes holding the strings of the launch and text
    // entries back to back; each such entry's value becomes its offset.
    std::vector<std::uint8_t> packStrings();
    // Rebuilds every slot from a packed pool by the offsets in the launch and
    // text entries. Strings are never read outside the pool: an offset past it
    // gives no string, a string without terminator ends with the pool.
    void unpackStrings(std::span<const std::uint8_t> pool);

    // nullptr while there is no block or for a group or keyIndex out of range.
    KeyEntry* entry(int group, int keyIndex);
    const KeyEntry* entry(int group, int keyIndex) const;

    void clearString(std::size_t entryNumber);
    // Replaces the slot's string, keeping stringBytes the sum of the slots.
    void setString(std::size_t entryNumber, std::u16string_view text);

    // Takes the lock.
    std::uint16_t macroPositionOf(std::uint16_t macroId) const;

    // Replaces block, macros and strings with those of `staged` (under this image's lock).
    void replaceContent(ConfigImage& staged);
};

struct DeviceImage {
    mutable std::recursive_mutex lock;
    std::unique_ptr<ConfigBlock> block;
    std::vector<MacroRecord> macros;
    std::vector<std::uint8_t> pool; // the packed strings

    std::uint16_t macroCount() const { return static_cast<std::uint16_t>(macros.size()); }
    std::uint32_t stringBytes() const { return static_cast<std::uint32_t>(pool.size()); }

    void clearStrings() { pool.clear(); }
    void clearMacros() { macros.clear(); }
    void clearBlock() { block.reset(); }
};

} // namespace kw
