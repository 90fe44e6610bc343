#include "core/lighting/preview_tables.h"

#include <algorithm>

namespace kw {

namespace {

// One segment of the wheel: the channel that rises from 0 to 255, and the one
// that falls from 255 to 0, 32 steps each.
constexpr std::array<std::uint8_t, 32> kRising{
    1,  3,  5,  7,   10,  14,  18,  22,  26,  32,  38,  44,  50,  57,  65,  73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
constexpr std::array<std::uint8_t, 32> kFalling{
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0};

constexpr std::array<Rgb, 256> buildColourWheel() {
    std::array<Rgb, 256> wheel{};
    for (std::size_t i = 0; i < 32; ++i) {
        const std::uint8_t up = kRising[i];
        const std::uint8_t down = kFalling[i];
        wheel[i] = Rgb{255, up, 0};         // red to yellow
        wheel[32 + i] = Rgb{down, 255, 0};  // yellow to green
        wheel[64 + i] = Rgb{0, 255, up};    // green to cyan
        wheel[96 + i] = Rgb{0, down, 255};  // cyan to blue
        wheel[128 + i] = Rgb{up, 0, 255};   // blue to magenta
        wheel[160 + i] = Rgb{255, 0, down}; // magenta to red
    }
    for (std::size_t i = 192; i < wheel.size(); ++i) {
        wheel[i] = wheel[i - 192];
    }
    return wheel;
}

// A ramp that runs up through `half` and back down the same values.
template <std::size_t N>
constexpr std::array<std::uint8_t, 2 * N> mirrored(const std::array<std::uint8_t, N>& half) {
    std::array<std::uint8_t, 2 * N> ramp{};
    for (std::size_t i = 0; i < N; ++i) {
        ramp[i] = half[i];
        ramp[2 * N - 1 - i] = half[i];
    }
    return ramp;
}

constexpr std::array<std::uint8_t, 48> kRampUp{
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

constexpr std::array<std::uint8_t, 64> kBreathUp{
    3,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

// A quick rise, a long decay, then darkness; the rest of the array stays 0.
constexpr std::array<std::uint8_t, 80> kPulse{
    0,   4,   8,   14,  22,  33,  45,  61,  77,  94,  114, 134, 158, 182, 206, 234,
    255, 248, 241, 234, 227, 220, 213, 206, 200, 194, 188, 182, 176, 170, 164, 158,
    152, 146, 140, 134, 129, 124, 119, 114, 109, 104, 99,  94,  89,  85,  81,  77,
    73,  69,  65,  61,  57,  53,  49,  45,  42,  39,  36,  33,  30,  27,  24,  22,
    20,  18,  16,  14,  12,  10,  9,   8,   7,   6,   5,   4,   3,   2,   2,   1};

constexpr std::array<std::uint8_t, 128> buildPulseRamp() {
    std::array<std::uint8_t, 128> ramp{};
    std::copy(kPulse.begin(), kPulse.end(), ramp.begin());
    return ramp;
}

// A short list would be padded with zeros silently; the last values catch it.
static_assert(kRising[31] == 255 && kFalling[31] == 0 && kRampUp[47] == 255);
static_assert(kBreathUp[63] == 255 && kPulse[79] == 1);

constexpr auto kColourWheel = buildColourWheel();
static_assert(kColourWheel[0] == Rgb{255, 1, 0});
static_assert(kColourWheel[31] == Rgb{255, 255, 0});
static_assert(kColourWheel[191] == Rgb{255, 0, 0});
static_assert(kColourWheel[255] == kColourWheel[63]);

// Every place of the id tables names a key of the chain, or no key at all.
template <std::size_t Rows, std::size_t Width>
constexpr bool onlyChainKeys(const std::array<std::array<std::uint16_t, Width>, Rows>& ids) {
    for (const auto& row : ids) {
        for (std::uint16_t id : row) {
            if (id != kNoKeyId && keyChainIndexOf(id) == kNoChainIndex) {
                return false;
            }
        }
    }
    return true;
}
static_assert(onlyChainKeys(KeyGrid) && onlyChainKeys(SweepRows));
static_assert(onlyChainKeys(RingPairs) && onlyChainKeys(RingTable));

constexpr bool chainIsDistinct() {
    for (std::size_t k = 0; k < KeyChain.size(); ++k) {
        if (keyChainIndexOf(KeyChain[k]) != k) {
            return false;
        }
    }
    return true;
}
static_assert(chainIsDistinct() && KeyChain[110] == 1113);

} // namespace

const std::array<Rgb, 256> ColourWheel = kColourWheel;
const std::array<std::uint8_t, 96> Ramp96 = mirrored(kRampUp);
const std::array<std::uint8_t, 128> PulseRamp128 = buildPulseRamp();
const std::array<std::uint8_t, 128> BreathRamp128 = mirrored(kBreathUp);

} // namespace kw
