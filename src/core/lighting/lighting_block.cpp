#include "core/lighting/lighting_block.h"

#include "core/base/bytes.h"

#include <algorithm>

namespace kw {

namespace {

Colorref readColour(ByteReader& reader) {
    Rgb rgb;
    rgb.red = reader.u8();
    rgb.green = reader.u8();
    rgb.blue = reader.u8();
    return colorrefOf(rgb);
}

} // namespace

void DecodeLightingBlock(std::span<const std::uint8_t> block, LightingState& state) {
    if (block.size() < kLightingBlockSize) {
        return;
    }
    ByteReader r(block.first(kLightingBlockSize));
    state.effect = r.u8();
    state.brightness = r.u8();
    state.speed = r.u8();
    state.direction = r.u8();
    state.multicolour = r.u8() != 0;
    state.colour = readColour(r);

    r.seek(kFieldReportRate);
    state.reportRate = std::min(r.u8(), kMaxReportRate);
    r.seek(kFieldSwatch);
    const std::uint8_t swatch = r.u8();
    state.swatch = swatch > kMaxSwatch ? 0 : swatch;
    r.seek(kFieldTriggerMode);
    if (const std::uint8_t trigger = r.u8(); trigger <= 1) {
        state.triggerMode = trigger;
    }
    r.seek(kFieldColour2);
    state.colour2 = readColour(r);
    state.multicolour2 = r.u8() != 0;
    r.seek(kFieldColour3);
    state.colour3 = readColour(r);
    state.multicolour3 = r.u8() != 0;
}

std::array<std::uint8_t, kDefaultLightingBytes> DefaultLightingBlock() {
    std::array<std::uint8_t, kDefaultLightingBytes> block{};
    block[kFieldEffect] = 1;
    block[kFieldBrightness] = 4;
    block[kFieldSpeed] = 2;
    block[kFieldDirection] = kDirectionSecond;
    block[kFieldMulticolour] = 0xFF;
    block[kFieldColour] = 0xFF;
    block[kFieldColour + 1] = 0xFF;
    block[kFieldColour + 2] = 0xFF;
    return block;
}

} // namespace kw
