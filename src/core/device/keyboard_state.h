#pragma once
// What the connection sequence learns about the keyboard and every later
// exchange reads: the cached active profile, the macro capacity and the
// factory key table. One instance per connected keyboard, owned by whoever
// runs the connection (the presence watcher, or a CLI session).

#include "core/config/key_matrix.h"

#include <atomic>
#include <cstdint>

namespace kw {

inline constexpr int kProfileUnknown = -1;

struct KeyboardState {
    // The keyboard's active profile, kProfileUnknown until read (and after a failed switch).
    std::atomic<int> currentProfile{kProfileUnknown};
    // Bytes of macro storage: information byte 11 x 128.
    std::atomic<int> macroCapacity{0};
    DefaultMatrix defaultMatrix;
    // Set when a refresh could not read the keyboard: the image then holds
    // defaults, and writing them would overwrite what the keyboard holds.
    std::atomic<bool> imageUnread{false};
    // The keyboard lock's change count as of this program's last read or
    // write of the configuration; -1 while none counts (nothing read yet, or
    // a whole configuration is written on purpose).
    std::atomic<std::int64_t> knownChanges{-1};
};

} // namespace kw
