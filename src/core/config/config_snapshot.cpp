#include "core/config/config_snapshot.h"

#include <mutex>

namespace kw {
namespace {

// The previous part when it holds the same value, else a new copy of `value`.
template <typename T>
std::shared_ptr<const T> shareOrCopy(const T& value, const std::shared_ptr<const T>& previous) {
    if (previous && *previous == value) {
        return previous;
    }
    return std::make_shared<const T>(value);
}

bool sameBlock(const ConfigBlock* a, const ConfigBlock* b) {
    if (!a || !b) {
        return a == b;
    }
    return a->signature == b->signature && a->entries == b->entries;
}

} // namespace

ConfigSnapshot ConfigSnapshot::Take(const ConfigImage& image, const ConfigSnapshot* previous) {
    const ConfigSnapshot empty;
    const ConfigSnapshot& before = previous ? *previous : empty;
    ConfigSnapshot copy;
    std::lock_guard guard(image.lock);
    if (image.block) {
        copy.block_ = shareOrCopy(*image.block, before.block_);
    }
    copy.macros_ = shareOrCopy(image.macros, before.macros_);
    copy.strings_ = shareOrCopy(image.strings, before.strings_);
    copy.stringBytes_ = image.stringBytes;
    return copy;
}

void ConfigSnapshot::RestoreTo(ConfigImage& image) const {
    std::lock_guard guard(image.lock);
    image.block = block_ ? std::make_unique<ConfigBlock>(*block_) : nullptr;
    image.macros = *macros_;
    image.strings = *strings_;
    image.stringBytes = stringBytes_;
}

bool ConfigSnapshot::SameContent(const ConfigSnapshot& other) const {
    // Shared parts are equal without looking at them.
    const auto same = [](const auto& a, const auto& b) { return a == b || *a == *b; };
    return sameBlock(block_.get(), other.block_.get()) && same(macros_, other.macros_) &&
           same(strings_, other.strings_) && stringBytes_ == other.stringBytes_;
}

} // namespace kw
