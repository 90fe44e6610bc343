#include "core/config/config_image.h"

#include "core/base/bytes.h"

#include <algorithm>

namespace kw {

bool usesStringSlot(KeyEntryType type) {
    return type == KeyEntryType::KeyLaunch || type == KeyEntryType::KeyText;
}

void ConfigImage::clearStrings() {
    std::lock_guard guard(lock);
    for (StringSlot& slot : strings) {
        slot = StringSlot{};
    }
    stringBytes = 0;
}

void ConfigImage::clearMacros() {
    std::lock_guard guard(lock);
    macros.clear();
    macros.shrink_to_fit();
}

void ConfigImage::clearBlock() {
    std::lock_guard guard(lock);
    block.reset();
}

void ConfigImage::createDefaultBlock(std::uint8_t flag) {
    std::lock_guard guard(lock);
    block = makeDefaultBlock(flag);
}

std::vector<std::uint8_t> ConfigImage::packStrings() {
    std::lock_guard guard(lock);
    std::vector<std::uint8_t> pool(stringBytes, 0);
    if (!block) {
        return pool;
    }
    std::uint64_t offset = 0;
    for (std::size_t i = 0; i < strings.size(); ++i) {
        const StringSlot& slot = strings[i];
        KeyEntry& e = block->entries[i];
        if (!usesStringSlot(e.type)) {
            continue;
        }
        if (slot.empty() || offset + slot.byteLength > pool.size()) {
            // A string entry left without a string must not point at another
            // entry's string after a reload: the end of the pool holds none.
            e.value = static_cast<std::uint32_t>(pool.size());
            continue;
        }
        const auto at = static_cast<std::size_t>(offset);
        const std::size_t chars = slot.byteLength / 2 - 1;
        for (std::size_t c = 0; c < chars && c < slot.text.size(); ++c) {
            storeU16(pool, at + 2 * c, static_cast<std::uint16_t>(slot.text[c]));
        }
        e.value = static_cast<std::uint32_t>(offset);
        offset += slot.byteLength;
    }
    return pool;
}

void ConfigImage::unpackStrings(std::span<const std::uint8_t> pool) {
    std::lock_guard guard(lock);
    clearStrings();
    if (!block) {
        return;
    }
    // Strings of a well-packed pool never overlap, so together they take no
    // more than the pool plus a terminator each. Entries of a hostile file that
    // all point at one long string would multiply it; they stop at this budget.
    const std::uint64_t budget = pool.size() + 2 * std::uint64_t{kEntryCount};
    for (std::size_t i = 0; i < strings.size(); ++i) {
        const KeyEntry& e = block->entries[i];
        if (!usesStringSlot(e.type)) {
            continue;
        }
        const std::size_t start = e.value & ~std::uint32_t{1};
        if (start >= pool.size()) {
            continue;
        }
        // A string may take what is left of the budget, terminator included.
        const std::uint64_t room = (budget - stringBytes) / 2;
        const std::size_t poolEnd = pool.size() & ~std::size_t{1};
        const std::size_t end =
            static_cast<std::size_t>(std::min<std::uint64_t>(poolEnd, start + 2 * room));
        std::u16string text;
        for (std::size_t at = start; at + 2 <= end; at += 2) {
            const auto c = static_cast<char16_t>(loadU16(pool, at));
            if (c == u'\0') {
                break;
            }
            text.push_back(c);
        }
        if (text.size() >= room) {
            break; // budget spent: the rest of the slots stay empty
        }
        setString(i, text);
    }
}

KeyEntry* ConfigImage::entry(int group, int keyIndex) {
    std::lock_guard guard(lock);
    if (!block || group < 0 || group >= kGroupCount || keyIndex < 0 ||
        keyIndex >= kEntriesPerGroup) {
        return nullptr;
    }
    return &block->entries[entryNumber(group, keyIndex)];
}

const KeyEntry* ConfigImage::entry(int group, int keyIndex) const {
    return const_cast<ConfigImage*>(this)->entry(group, keyIndex);
}

void ConfigImage::clearString(std::size_t number) {
    std::lock_guard guard(lock);
    if (number >= strings.size()) {
        return;
    }
    stringBytes -= strings[number].byteLength;
    strings[number] = StringSlot{};
}

void ConfigImage::setString(std::size_t number, std::u16string_view text) {
    std::lock_guard guard(lock);
    if (number >= strings.size()) {
        return;
    }
    clearString(number);
    strings[number].text = std::u16string(text);
    strings[number].byteLength = static_cast<std::uint32_t>((text.size() + 1) * 2);
    stringBytes += strings[number].byteLength;
}

std::uint16_t ConfigImage::macroPositionOf(std::uint16_t macroId) const {
    std::lock_guard guard(lock);
    return macroPositionIn(macros, macroId);
}

void ConfigImage::replaceContent(ConfigImage& staged) {
    std::scoped_lock guard(lock, staged.lock);
    block = std::move(staged.block);
    macros = std::move(staged.macros);
    strings = std::move(staged.strings);
    stringBytes = staged.stringBytes;
    staged.macros.clear();
    staged.clearStrings();
}

} // namespace kw
