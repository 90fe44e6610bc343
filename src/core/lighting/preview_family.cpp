#include "core/lighting/preview_family.h"

namespace kw {

void setBitInAllPlanes(RipplePlanes& planes, std::size_t column, unsigned row) {
    for (RipplePlane& plane : planes) {
        plane[column] = static_cast<std::uint8_t>(plane[column] | (1u << row));
    }
}

std::uint8_t columnBits(const RipplePlanes& planes, std::size_t column) {
    std::uint8_t bits = 0;
    for (const RipplePlane& plane : planes) {
        bits = static_cast<std::uint8_t>(bits | plane[column]);
    }
    return bits;
}

namespace {

// A column outside the grid reads as empty.
std::uint8_t columnOf(const RipplePlane& plane, std::ptrdiff_t column) {
    if (column < 0 || column >= static_cast<std::ptrdiff_t>(plane.size())) {
        return 0;
    }
    return plane[static_cast<std::size_t>(column)];
}

std::uint8_t down(std::uint8_t bits) {
    return static_cast<std::uint8_t>(bits << 1);
}

std::uint8_t up(std::uint8_t bits) {
    return static_cast<std::uint8_t>(bits >> 1);
}

} // namespace

void advanceDiagonally(RipplePlanes& planes) {
    const RipplePlanes old = planes;
    for (std::size_t c = 0; c < kGridColumns; ++c) {
        const auto col = static_cast<std::ptrdiff_t>(c);
        planes[kDownLeft][c] = down(old[kDownLeft][c]) | columnOf(old[kDownLeft], col + 1);
        planes[kDownRight][c] = down(old[kDownRight][c]) | columnOf(old[kDownRight], col - 1);
        planes[kUpRight][c] = up(old[kUpRight][c]) | columnOf(old[kUpRight], col - 1);
        planes[kUpLeft][c] = up(old[kUpLeft][c]) | columnOf(old[kUpLeft], col + 1);
    }
}

void advanceVertically(RipplePlanes& planes) {
    for (std::size_t c = 0; c < kGridColumns; ++c) {
        planes[kDownLeft][c] = down(planes[kDownLeft][c]);
        planes[kDownRight][c] = down(planes[kDownRight][c]);
        planes[kUpRight][c] = up(planes[kUpRight][c]);
        planes[kUpLeft][c] = up(planes[kUpLeft][c]);
    }
}

namespace {

// The three lower bands, common to both fades.
std::uint8_t lowerBandFade(std::uint8_t level) {
    if (level >= 32) {
        return static_cast<std::uint8_t>(level - 10);
    }
    if (level >= 17) {
        return static_cast<std::uint8_t>(level - 5);
    }
    return level == 0 ? 0 : static_cast<std::uint8_t>(level - 1);
}

} // namespace

std::uint8_t normalFade(std::uint8_t level) {
    if (level >= 128) {
        return static_cast<std::uint8_t>(level - 20);
    }
    if (level >= 64) {
        return static_cast<std::uint8_t>(level - 16);
    }
    return lowerBandFade(level);
}

std::uint8_t steepFade(std::uint8_t level) {
    if (level >= 128) {
        return static_cast<std::uint8_t>(level - 30);
    }
    if (level >= 64) {
        return static_cast<std::uint8_t>(level - 20);
    }
    return lowerBandFade(level);
}

} // namespace kw
