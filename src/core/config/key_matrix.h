#pragma once
// The keyboard's own key table of one profile (140 three-byte entries in the
// keyboard's slot order), its factory table, and the translations between a
// key table and the key entries of one group of the image.

#include "core/config/config_block.h"
#include "core/config/macro_record.h"
#include "core/keys/key_codes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

namespace kw {

inline constexpr std::size_t kMatrixSlots = 140;
inline constexpr std::size_t kKeyMatrixSize = kMatrixSlots * 3; // 420

using MatrixEntry = std::array<std::uint8_t, 3>;
using KeyMatrix = std::array<MatrixEntry, kMatrixSlots>;

// The factory key table the program assumes until the keyboard's own is read:
// slots 0..63 as the keyboard ships them, the rest empty. A simulated keyboard
// copies it and fills the rest.
extern const KeyMatrix kBuiltInDefaultMatrix;

// The keyboard's factory table as last read, shared by the presence watcher
// (which replaces it) and the apply and refresh (which read it).
class DefaultMatrix {
public:
    KeyMatrix get() const;
    void replace(const KeyMatrix& matrix);
    // Back to the built-in table (before the first successful read).
    void reset();

private:
    mutable std::mutex mutex_;
    KeyMatrix matrix_ = kBuiltInDefaultMatrix;
};

std::array<std::uint8_t, kKeyMatrixSize> keyMatrixBytes(const KeyMatrix& matrix);
// Reads 420 bytes; false when there are fewer.
bool keyMatrixFromBytes(std::span<const std::uint8_t> bytes, KeyMatrix& matrix);

// The key a slot belongs to, from the slot's factory entry; 0 for none.
KeyCode slotKeyCode(const MatrixEntry& entry);

// What the keyboard receives for a key entry on a slot whose factory entry is
// `slotDefault`. Macro entries refer to their macro's position in `macros`.
MatrixEntry encodeEntry(const KeyEntry& entry, const MatrixEntry& slotDefault,
                        std::span<const MacroRecord> macros);

// The key table of one group: the factory table with every slot that belongs to
// a key replaced by the encoding of that key's entry.
KeyMatrix encodeKeyMatrix(std::span<const KeyEntry, kEntriesPerGroup> group,
                          const KeyMatrix& defaults, std::span<const MacroRecord> macros);

// Rebuilds one group's entries from a key table read from the keyboard.
void decodeKeyMatrix(const KeyMatrix& keyboard, const KeyMatrix& defaults,
                     std::span<KeyEntry, kEntriesPerGroup> group);

// The entries of one group of a block.
std::span<KeyEntry, kEntriesPerGroup> groupEntries(ConfigBlock& block, int group);
std::span<const KeyEntry, kEntriesPerGroup> groupEntries(const ConfigBlock& block, int group);

} // namespace kw
