#pragma once
// The per-key state of the fading preview effects: a level and a colour index
// per KeyChain key, and four ripple planes whose bits travel over the key
// grid. Bit j of a plane's column byte c is the grid cell in column c, row j;
// rows 6 and 7 lie below the grid and are never shown.

#include "core/lighting/preview_tables.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kw {

using RipplePlane = std::array<std::uint8_t, kGridColumns>;

// The planes are named after the way their bits travel.
enum RippleDirection : std::size_t { kDownLeft = 0, kDownRight, kUpRight, kUpLeft };
using RipplePlanes = std::array<RipplePlane, 4>;

struct PreviewFamily {
    std::array<std::uint8_t, kKeyChainSize> level{};
    std::array<std::uint8_t, kKeyChainSize> colourIndex{};
    RipplePlanes planes{};
};

// ORs bit `row` into column `column` of all four planes.
void setBitInAllPlanes(RipplePlanes& planes, std::size_t column, unsigned row);
// The OR of one column byte over the four planes.
std::uint8_t columnBits(const RipplePlanes& planes, std::size_t column);

// Down planes move their bits one row down and up planes one row up; each
// plane also takes in the whole neighbouring column on the side it travels
// from. Bits pushed out of a byte are lost.
void advanceDiagonally(RipplePlanes& planes);
// Down planes one row down, up planes one row up, nothing between columns.
void advanceVertically(RipplePlanes& planes);

// A level after one fade step: the brighter the key, the faster it dims.
std::uint8_t normalFade(std::uint8_t level);
// The faster fade of effect 14 in the two upper bands.
std::uint8_t steepFade(std::uint8_t level);

} // namespace kw
