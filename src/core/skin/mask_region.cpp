#include "core/skin/mask_region.h"

#include <algorithm>

namespace kw::skin {

namespace {

struct ChannelRange {
    int low;
    int high;
    bool contains(int value) const { return value >= low && value <= high; }
};

ChannelRange rangeOf(std::uint32_t colour, int shift, int tolerance) {
    const int low = static_cast<int>((colour >> shift) & 0xFF);
    return {low, std::min(low + tolerance, 255)};
}

} // namespace

std::vector<RegionRect> regionFromMask(const MaskPixels& mask, std::uint32_t transparentRgb,
                                       std::uint8_t tolerance) {
    std::vector<RegionRect> rects;
    if (mask.width <= 0 || mask.height <= 0) {
        return rects;
    }
    const auto width = static_cast<std::size_t>(mask.width);
    const std::size_t rows =
        std::min(static_cast<std::size_t>(mask.height), mask.pixels.size() / width);
    const ChannelRange red = rangeOf(transparentRgb, 16, tolerance);
    const ChannelRange green = rangeOf(transparentRgb, 8, tolerance);
    const ChannelRange blue = rangeOf(transparentRgb, 0, tolerance);
    auto transparent = [&](std::uint32_t pixel) {
        return red.contains(static_cast<int>((pixel >> 16) & 0xFF)) &&
               green.contains(static_cast<int>((pixel >> 8) & 0xFF)) &&
               blue.contains(static_cast<int>(pixel & 0xFF));
    };
    for (std::size_t row = 0; row < rows; ++row) {
        const auto line = mask.pixels.subspan(row * width, width);
        std::size_t x = 0;
        while (x < width) {
            while (x < width && transparent(line[x])) {
                ++x;
            }
            const std::size_t start = x;
            while (x < width && !transparent(line[x])) {
                ++x;
            }
            if (x > start) {
                rects.push_back({static_cast<int>(start), static_cast<int>(row),
                                 static_cast<int>(x - start), 1});
            }
        }
    }
    return rects;
}

} // namespace kw::skin
