#pragma once
// Turning a mask picture into the rectangles of a window shape: every run of
// non-transparent pixels on a scan line becomes a one-pixel-high rectangle.

#include <cstdint>
#include <span>
#include <vector>

namespace kw::skin {

// A top-down picture of 32-bit pixels 0x00RRGGBB (the top byte is ignored).
struct MaskPixels {
    int width = 0;
    int height = 0;
    std::span<const std::uint32_t> pixels; // row after row, width pixels each
};

struct RegionRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const RegionRect&, const RegionRect&) = default;
};

// A pixel is transparent when each channel lies in [transparent channel,
// transparent channel + tolerance] (capped at 255). Only whole rows that the
// buffer really holds are read. An empty result means "no region": the window
// keeps its rectangle.
std::vector<RegionRect> regionFromMask(const MaskPixels& mask,
                                       std::uint32_t transparentRgb = 0xFFFFFF,
                                       std::uint8_t tolerance = 0);

} // namespace kw::skin
