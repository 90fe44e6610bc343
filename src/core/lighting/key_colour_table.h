#pragma once
// The per-key colours of all three profiles as the window keeps them (3 bytes
// per colour index, 420 bytes a profile), and their way to the keyboard.

#include "core/device/transport.h"
#include "core/lighting/key_colour_index.h"
#include "core/lighting/rgb.h"

#include <array>
#include <cstdint>
#include <span>

namespace kw {

inline constexpr std::size_t kKeyColourProfileBytes = 3 * kColourIndexCount;
// The keyboard's colour pages are 512 bytes apart.
inline constexpr std::uint16_t kKeyColourPageStride = 512;
// A profile's colours go out 18 keys (54 bytes) at a time.
inline constexpr int kKeyColourChunkKeys = 18;

class KeyColourTable {
public:
    // Black for an index or profile out of range.
    Rgb colour(int profile, int colourIndex) const;
    // Ignored for an index or profile out of range.
    void setColour(int profile, int colourIndex, Rgb colour);
    std::span<const std::uint8_t> profileBytes(int profile) const;

private:
    std::array<std::uint8_t, 3 * kKeyColourProfileBytes> bytes_{};
};

// Where a key's colour sits in the keyboard's colour area.
constexpr std::uint16_t KeyColourOffset(int profile, int colourIndex) {
    return static_cast<std::uint16_t>(profile * kKeyColourPageStride + colourIndex * 3);
}

// One transaction with the 420 colour bytes of `profile`, 18 keys per write.
int WriteProfileKeyColours(Transport& transport, int profile, const KeyColourTable& table);
// One transaction with the 3 bytes of one key.
int WriteOneKeyColour(Transport& transport, int profile, int colourIndex, Rgb colour);

} // namespace kw
