#include "core/lighting/preview_engine.h"

#include <utility>

namespace kw {

namespace {

constexpr int kWheelSize = 192;

// A grid cell: column and row.
struct GridCell {
    std::size_t column = 0;
    unsigned row = 0;
};

// The first cell holding `id`, searched column by column, rows top to bottom.
constexpr GridCell firstGridCellOf(std::uint16_t id) {
    for (std::size_t c = 0; c < kGridColumns; ++c) {
        for (unsigned r = 0; r < kGridRows; ++r) {
            if (KeyGrid[c][r] == id) {
                return GridCell{c, r};
            }
        }
    }
    return GridCell{};
}

// Where the ripple of effect 14 starts, and the keys whose levels time it.
constexpr GridCell kRippleStart = firstGridCellOf(1053);
static_assert(KeyGrid[kRippleStart.column][kRippleStart.row] == 1053);
constexpr std::uint8_t kRingsDoneKey = keyChainIndexOf(1066);
constexpr std::uint8_t kRippleDoneKey = keyChainIndexOf(1083);
static_assert(kRingsDoneKey != kNoChainIndex && kRippleDoneKey != kNoChainIndex);

// phase ± step mod n: forwards for any direction but 0. A phase left out of
// range by the other colour mode's larger period is brought into range first.
int stepPhase(int phase, int step, int period, std::uint8_t direction) {
    phase %= period;
    if (direction != 0) {
        phase += step;
        if (phase >= period) {
            phase -= period;
        }
    } else {
        phase -= step;
        if (phase < 0) {
            phase += period;
        }
    }
    return phase;
}

int wheelIndex(int value) {
    return value % kWheelSize;
}

} // namespace

PreviewEngine::PreviewEngine()
    : PreviewEngine(systemSecondsClock(), std::make_unique<LcgRandom>()) {}

PreviewEngine::PreviewEngine(SecondsClock clock, std::unique_ptr<PreviewRandom> random)
    : clock_(std::move(clock)), random_(std::move(random)) {}

const PreviewFamily& PreviewEngine::family(PreviewFamilyId id) const {
    switch (id) {
    case PreviewFamilyId::TwinkleAndRain:
        return twinkleAndRainFamily_;
    case PreviewFamilyId::Bounce:
        return bounceFamily_;
    case PreviewFamilyId::SweepAndRipple:
        return sweepAndRippleFamily_;
    case PreviewFamilyId::DiagonalSweep:
        break;
    }
    return diagonalSweepFamily_;
}

void PreviewEngine::ResetKeyFaces() {
    frame_.fill(KeyFace{});
}

bool PreviewEngine::PreviewTick(const LightingState& state) {
    if (!state.lightingView) {
        return false;
    }
    // An effect that changed without a selection (a profile switch, a change
    // made on the keyboard) starts afresh too: the shared step counter must
    // never carry one effect's range into another's tables.
    if (!firstTickDone_ || state.effect != lastEffect_) {
        resetForNewEffect();
        firstTickDone_ = true;
        lastEffect_ = state.effect;
    }
    switch (state.effect) {
    case 1:
        columnWave(state);
        break;
    case 2:
        columnPulse(state);
        break;
    case 3:
        chainWave(state);
        break;
    case 4:
        colourCycle(state);
        break;
    case 5:
        breathing(state);
        break;
    case 6:
        staticColours(state);
        break;
    case 10:
        twinkle(state);
        break;
    case 11:
        perKeyCycle();
        break;
    case 12:
        rowWave(state);
        break;
    case 13:
        bounce(state);
        break;
    case 14:
        sweepAndRipple(state);
        break;
    case 15:
        rain(state);
        break;
    case 16:
        diagonalSweep(state);
        break;
    case 18:
        colourRings(state);
        break;
    case 20:
        // The key buttons keep the user mode's colours.
        return false;
    default:
        // 7, 8, 9, 17 and codes without a rule show the normal faces.
        ResetKeyFaces();
        break;
    }
    return true;
}

// The families of 13 and 14, the twinkle cursor and the plain effects'
// phases survive: selecting such an effect again continues where it stood.
void PreviewEngine::resetForNewEffect() {
    stepCounter_ = 0;
    sweepColourCounter_ = 0;
    sweepPhase_ = 0;
    twinkleAndRainFamily_ = PreviewFamily{};
    diagonalSweepFamily_ = PreviewFamily{};
    setBitInAllPlanes(twinkleAndRainFamily_.planes, 9, 6);
    setBitInAllPlanes(diagonalSweepFamily_.planes, 1, 0);
}

void PreviewEngine::paintColumn(std::size_t column, KeyFace face) {
    for (std::uint8_t k : KeyGridIndexes[column]) {
        if (k != kNoChainIndex) {
            frame_[k] = face;
        }
    }
}

void PreviewEngine::columnWave(const LightingState& state) {
    if (state.multicolour) {
        columnWavePhase_ = stepPhase(columnWavePhase_, 9, kWheelSize, state.direction);
        for (std::size_t c = 0; c < kGridColumns; ++c) {
            const int index = wheelIndex(columnWavePhase_ + 9 * static_cast<int>(c));
            paintColumn(c, markedFace(ColourWheel[index]));
        }
        return;
    }
    columnWavePhase_ = stepPhase(columnWavePhase_, 7, 96, state.direction);
    const Rgb colour = rgbOf(state.colour);
    for (std::size_t c = 0; c < kGridColumns; ++c) {
        const int index = (columnWavePhase_ + 7 * static_cast<int>(c)) % 96;
        paintColumn(c, markedFace(scaled(colour, Ramp96[index])));
    }
}

void PreviewEngine::columnPulse(const LightingState& state) {
    if (state.multicolour) {
        columnPulsePhase_ = stepPhase(columnPulsePhase_, 4, kWheelSize, state.direction);
        for (std::size_t c = 0; c < kGridColumns; ++c) {
            const int index = wheelIndex(columnPulsePhase_ + 5 * static_cast<int>(c));
            paintColumn(c, markedFace(ColourWheel[index]));
        }
        return;
    }
    // One colour always runs forwards; the direction only decides whether the
    // pulse is read ahead of or behind the phase.
    columnPulsePhase_ = stepPhase(columnPulsePhase_, 4, 128, kDirectionFirst);
    const Rgb colour = rgbOf(state.colour);
    for (std::size_t c = 0; c < kGridColumns; ++c) {
        const int offset = 5 * (static_cast<int>(c) + 1);
        std::uint8_t level = 0;
        if (state.direction == kDirectionFirst) {
            int i = columnPulsePhase_ + offset;
            while (i > 128) {
                i -= 128;
            }
            // i runs 1..128; 128 is one past the ramp and reads as dark.
            level = i < 128 ? PulseRamp128[static_cast<std::size_t>(i)] : 0;
        } else {
            int i = columnPulsePhase_ - offset;
            while (i < 0) {
                i += 128;
            }
            level = PulseRamp128[static_cast<std::size_t>(i)];
        }
        paintColumn(c, markedFace(scaled(colour, level)));
    }
}

void PreviewEngine::chainWave(const LightingState& state) {
    const Rgb colour = rgbOf(state.colour);
    const int period = state.multicolour ? kWheelSize : 96;
    chainWavePhase_ = stepPhase(chainWavePhase_, 4, period, state.direction);
    for (std::size_t k = 0; k < kKeyChainSize; ++k) {
        const int index = (chainWavePhase_ + 5 * static_cast<int>(k)) % period;
        frame_[k] =
            markedFace(state.multicolour ? ColourWheel[index] : scaled(colour, Ramp96[index]));
    }
}

void PreviewEngine::colourCycle(const LightingState& state) {
    colourCyclePhase_ = stepPhase(colourCyclePhase_, 2, kWheelSize, state.direction);
    frame_.fill(markedFace(ColourWheel[colourCyclePhase_]));
}

void PreviewEngine::breathing(const LightingState& state) {
    breathingPhase_ = stepPhase(breathingPhase_, 2, 128, kDirectionFirst);
    const std::uint8_t level = BreathRamp128[breathingPhase_];
    const Rgb colour = rgbOf(state.colour);
    for (std::size_t c = 0; c < kGridColumns; ++c) {
        const Rgb base = state.multicolour ? ColourWheel[7 * c] : colour;
        paintColumn(c, markedFace(scaled(base, level)));
    }
}

void PreviewEngine::staticColours(const LightingState& state) {
    if (!state.multicolour) {
        frame_.fill(markedFace(rgbOf(state.colour)));
        return;
    }
    int index = 0;
    for (std::size_t c = 0; c < kGridColumns; ++c) {
        paintColumn(c, markedFace(ColourWheel[index]));
        index += 9;
        if (index >= kWheelSize) {
            index = 0;
        }
    }
}

std::uint8_t PreviewEngine::randomColourIndex() {
    return static_cast<std::uint8_t>(random_->next() % 255);
}

void PreviewEngine::twinkle(const LightingState& state) {
    random_->seed(static_cast<std::uint32_t>(clock_()));
    PreviewFamily& family = twinkleAndRainFamily_;
    for (int i = 0; i < 3; ++i) {
        const std::uint8_t k = TwinkleOrder[twinkleCursor_];
        family.level[k] = 255;
        family.colourIndex[k] = randomColourIndex();
        twinkleCursor_ = twinkleCursor_ >= kKeyChainSize - 1 ? 0 : twinkleCursor_ + 1;
    }
    drawFamily(family, state, normalFade);
}

void PreviewEngine::perKeyCycle() {
    if (!perKeyCycleStarted_) {
        int start = 0;
        for (std::uint8_t& index : perKeyCycleIndex_) {
            start += 33;
            if (start > kWheelSize) {
                start -= kWheelSize;
            }
            index = static_cast<std::uint8_t>(start);
        }
        perKeyCycleStarted_ = true;
    }
    for (std::size_t k = 0; k < kKeyChainSize; ++k) {
        int index = perKeyCycleIndex_[k] + 3;
        if (index >= kWheelSize) {
            index = 0;
        }
        perKeyCycleIndex_[k] = static_cast<std::uint8_t>(index);
        frame_[k] = markedFace(ColourWheel[index]);
    }
}

void PreviewEngine::rowWave(const LightingState& state) {
    rowWavePhase_ = stepPhase(rowWavePhase_, 3, kWheelSize, state.direction);
    for (std::size_t r = 0; r < kGridRows; ++r) {
        const KeyFace face =
            markedFace(ColourWheel[wheelIndex(rowWavePhase_ + 32 * static_cast<int>(r))]);
        for (const auto& column : KeyGridIndexes) {
            if (column[r] != kNoChainIndex) {
                frame_[column[r]] = face;
            }
        }
    }
}

void PreviewEngine::lightFromPlanes(PreviewFamily& family, bool multicolour) {
    random_->seed(static_cast<std::uint32_t>(clock_()));
    for (std::size_t c = 0; c < kGridColumns; ++c) {
        const std::uint8_t bits = columnBits(family.planes, c);
        for (std::size_t r = 0; r < kGridRows; ++r) {
            const std::uint8_t k = KeyGridIndexes[c][r];
            if ((bits & (1u << r)) == 0 || k == kNoChainIndex) {
                continue;
            }
            family.level[k] = 255;
            if (multicolour) {
                family.colourIndex[k] = randomColourIndex();
            }
        }
    }
}

void PreviewEngine::drawFamily(PreviewFamily& family, const LightingState& state,
                               std::uint8_t (*fade)(std::uint8_t)) {
    const Rgb colour = rgbOf(state.colour);
    for (std::size_t k = 0; k < kKeyChainSize; ++k) {
        family.level[k] = fade(family.level[k]);
        const Rgb base = state.multicolour ? ColourWheel[family.colourIndex[k]] : colour;
        frame_[k] = markedFace(scaled(base, family.level[k]));
    }
}

void PreviewEngine::bounce(const LightingState& state) {
    PreviewFamily& family = bounceFamily_;
    if (!bounceStarted_) {
        setBitInAllPlanes(family.planes, 9, 6);
        bounceStarted_ = true;
    }
    const std::uint8_t bits = columnBits(family.planes, 9);
    if (bits == 0x01) {
        setBitInAllPlanes(family.planes, 9, 0);
    } else if (bits == 0x40) {
        setBitInAllPlanes(family.planes, 9, 6);
    }
    lightFromPlanes(family, state.multicolour);
    advanceDiagonally(family.planes);
    drawFamily(family, state, normalFade);
}

void PreviewEngine::sweepAndRipple(const LightingState& state) {
    PreviewFamily& family = sweepAndRippleFamily_;
    ++sweepColourCounter_;
    // With many colours every lit key takes the counter's next colour; the
    // counter keeps the sum.
    auto nextColour = [this](std::uint8_t step) {
        sweepColourCounter_ = static_cast<std::uint8_t>(sweepColourCounter_ + step);
        return sweepColourCounter_;
    };
    switch (sweepPhase_) {
    case 0: // the sweep, one row per tick
        for (std::uint8_t k : SweepRowIndexes[stepCounter_]) {
            if (k != kNoChainIndex) {
                family.level[k] = 255;
                family.colourIndex[k] = state.multicolour ? nextColour(11) : 0;
            }
        }
        ++stepCounter_;
        if (stepCounter_ >= SweepRowIndexes.size()) {
            stepCounter_ = 0;
            sweepPhase_ = 1;
        }
        break;
    case 1: // the rings, one pair per tick, then wait for them to fade
        if (stepCounter_ < 31) {
            for (std::uint8_t k : RingPairIndexes[stepCounter_ % RingPairIndexes.size()]) {
                family.level[k] = 255;
                if (state.multicolour) {
                    family.colourIndex[k] = nextColour(1);
                }
            }
            ++stepCounter_;
        } else if (family.level[kRingsDoneKey] == 0) {
            stepCounter_ = 0;
            sweepPhase_ = 2;
        }
        break;
    case 2: // the ripple starts on one key
        setBitInAllPlanes(family.planes, kRippleStart.column, kRippleStart.row);
        sweepPhase_ = 3;
        break;
    case 3: // the ripple spreads until it reaches the far corner
        lightFromPlanes(family, state.multicolour);
        advanceDiagonally(family.planes);
        if (family.level[kRippleDoneKey] != 0) {
            sweepPhase_ = 4;
        }
        break;
    default: // wait for the corner to fade, then sweep again
        if (family.level[kRippleDoneKey] == 0) {
            sweepPhase_ = 0;
            stepCounter_ = 0;
        }
        break;
    }
    drawFamily(family, state, steepFade);
}

void PreviewEngine::rain(const LightingState& state) {
    PreviewFamily& family = twinkleAndRainFamily_;
    std::size_t c = (stepCounter_ + 7u) % kGridColumns;
    for (int i = 0; i < 3; ++i) {
        c = (c + 3) % kGridColumns;
        setBitInAllPlanes(family.planes, c, 0);
    }
    stepCounter_ = static_cast<std::uint8_t>(c);
    lightFromPlanes(family, state.multicolour);
    advanceVertically(family.planes);
    drawFamily(family, state, normalFade);
}

void PreviewEngine::diagonalSweep(const LightingState& state) {
    PreviewFamily& family = diagonalSweepFamily_;
    if (columnBits(family.planes, 1) == 0x01) {
        setBitInAllPlanes(family.planes, 1, 0);
    }
    if (columnBits(family.planes, 22) == 0x40) {
        setBitInAllPlanes(family.planes, 22, 6);
    }
    lightFromPlanes(family, state.multicolour);
    advanceDiagonally(family.planes);
    drawFamily(family, state, normalFade);
}

void PreviewEngine::colourRings(const LightingState& state) {
    int s = stepCounter_;
    if (state.direction != 0) {
        s += 2;
        if (s >= kWheelSize) {
            s = 0;
        }
    } else {
        s -= 2;
        if (s < 0) {
            s = kWheelSize;
        }
    }
    stepCounter_ = static_cast<std::uint8_t>(s);
    int c = s;
    for (const auto& ring : RingIndexes) {
        c = wheelIndex(c + 21);
        for (std::uint8_t k : ring) {
            if (k != kNoChainIndex) {
                frame_[k] = markedFace(ColourWheel[c]);
            }
        }
    }
}

} // namespace kw
