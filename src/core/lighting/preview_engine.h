#pragma once
// The on-screen imitation of the keyboard's lighting effects: one step per
// tick (every 50 ms while the lighting view is on) gives the key buttons
// colour marks. Nothing is sent to the keyboard. All state lives in fixed
// arrays; a tick allocates nothing.

#include "core/lighting/lighting_state.h"
#include "core/lighting/preview_family.h"
#include "core/lighting/preview_frame.h"
#include "core/lighting/preview_random.h"

#include <cstdint>
#include <memory>

namespace kw {

enum class PreviewFamilyId { TwinkleAndRain, Bounce, SweepAndRipple, DiagonalSweep };

class PreviewEngine {
public:
    // The system clock and the built-in generator.
    PreviewEngine();
    PreviewEngine(SecondsClock clock, std::unique_ptr<PreviewRandom> random);

    // Every effect selection clears the first-tick flag, so that the next
    // tick starts the effect from its seeds.
    void clearFirstTickFlag() { firstTickDone_ = false; }

    // Every key button back to its normal face.
    void ResetKeyFaces();

    // One preview step for the state's effect. Returns false when the step
    // drew nothing: the lighting view is off, or effect 20 leaves the key
    // buttons to the user mode's colours.
    bool PreviewTick(const LightingState& state);

    const PreviewFrame& frame() const { return frame_; }

    // The preview's own state, for the tests and the benchmark.
    const PreviewFamily& family(PreviewFamilyId id) const;
    std::uint8_t stepCounter() const { return stepCounter_; }
    std::uint8_t sweepPhase() const { return sweepPhase_; }

private:
    void resetForNewEffect();

    void columnWave(const LightingState& state);
    void columnPulse(const LightingState& state);
    void chainWave(const LightingState& state);
    void colourCycle(const LightingState& state);
    void breathing(const LightingState& state);
    void staticColours(const LightingState& state);
    void twinkle(const LightingState& state);
    void perKeyCycle();
    void rowWave(const LightingState& state);
    void bounce(const LightingState& state);
    void sweepAndRipple(const LightingState& state);
    void rain(const LightingState& state);
    void diagonalSweep(const LightingState& state);
    void colourRings(const LightingState& state);

    void paintColumn(std::size_t column, KeyFace face);
    std::uint8_t randomColourIndex();
    void lightFromPlanes(PreviewFamily& family, bool multicolour);
    void drawFamily(PreviewFamily& family, const LightingState& state,
                    std::uint8_t (*fade)(std::uint8_t));

    SecondsClock clock_;
    std::unique_ptr<PreviewRandom> random_;
    PreviewFrame frame_{};

    bool firstTickDone_ = false;
    int lastEffect_ = -1;

    // Phases of the plain effects, kept for the program's whole life.
    int columnWavePhase_ = 0;
    int columnPulsePhase_ = 0;
    int chainWavePhase_ = 0;
    int colourCyclePhase_ = 0;
    int breathingPhase_ = 0;
    int rowWavePhase_ = 0;

    std::uint8_t twinkleCursor_ = 0;
    bool perKeyCycleStarted_ = false;
    std::array<std::uint8_t, kKeyChainSize> perKeyCycleIndex_{};
    bool bounceStarted_ = false;

    // Shared by effects 14, 15 and 18; reset with every new effect.
    std::uint8_t stepCounter_ = 0;
    std::uint8_t sweepColourCounter_ = 0;
    std::uint8_t sweepPhase_ = 0;

    PreviewFamily twinkleAndRainFamily_; // effects 10 and 15
    PreviewFamily bounceFamily_;         // effect 13
    PreviewFamily sweepAndRippleFamily_; // effect 14
    PreviewFamily diagonalSweepFamily_;  // effect 16
};

} // namespace kw
