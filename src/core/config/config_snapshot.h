#pragma once
// A copy of what the editors change in a ConfigImage (the block, the macros
// and the strings), to put back later. Parts that did not change since the
// previous copy are shared with it, so a history of one-key edits costs about
// one block per step, however many macros there are.

#include "core/config/config_image.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace kw {

class ConfigSnapshot {
public:
    // Copies the image under its lock, sharing every part equal to `previous`'s.
    static ConfigSnapshot Take(const ConfigImage& image, const ConfigSnapshot* previous = nullptr);

    // Replaces the image's block, macros and strings with the copy, under its lock.
    void RestoreTo(ConfigImage& image) const;

    // Same key entries, signature, macros and strings. The header is left out:
    // a save stamps its counts into the image without changing what it holds.
    bool SameContent(const ConfigSnapshot& other) const;

private:
    using Strings = std::array<StringSlot, kEntryCount>;

    ConfigSnapshot() = default; // only Take makes one

    std::shared_ptr<const ConfigBlock> block_; // null while the image has none
    std::shared_ptr<const std::vector<MacroRecord>> macros_;
    std::shared_ptr<const Strings> strings_;
    std::uint32_t stringBytes_ = 0;
};

} // namespace kw
