#include "core/lighting/preview_engine.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace kw {
namespace {

constexpr Colorref kWhite = 0xFFFFFF;

// next() tells which seed and which draw it is, so a test can see where every
// colour index came from.
class ScriptedRandom final : public PreviewRandom {
public:
    void seed(std::uint32_t value) override {
        seed_ = value;
        drawn_ = 0;
    }
    std::uint32_t next() override { return seed_ * 1000 + drawn_++; }

private:
    std::uint32_t seed_ = 0;
    std::uint32_t drawn_ = 0;
};

KeyFace grey(std::uint8_t level) {
    return markedFace(Rgb{level, level, level});
}

class PreviewEngineTest : public testing::Test {
protected:
    std::int64_t now = 0;

    std::unique_ptr<PreviewEngine> makeEngine() {
        return std::make_unique<PreviewEngine>([this] { return now; },
                                               std::make_unique<ScriptedRandom>());
    }

    void SetUp() override {
        state.lightingView = true;
        state.colour = kWhite;
        state.direction = kDirectionFirst;
    }

    // What selecting an effect does to the preview.
    static void select(PreviewEngine& e, LightingState& s, int effect) {
        s.effect = static_cast<std::uint8_t>(effect);
        e.clearFirstTickFlag();
    }
    void select(int effect) { select(*engine, state, effect); }

    static void ticks(PreviewEngine& e, const LightingState& s, int count) {
        for (int i = 0; i < count; ++i) {
            e.PreviewTick(s);
        }
    }
    void ticks(int count) { ticks(*engine, state, count); }

    KeyFace face(int id) const { return faceOfButton(engine->frame(), id); }
    std::uint8_t level(PreviewFamilyId family, int id) const {
        return engine->family(family).level[keyChainIndexOf(id)];
    }

    std::unique_ptr<PreviewEngine> engine = makeEngine();
    LightingState state;
};

TEST_F(PreviewEngineTest, WithTheViewOffNothingHappensNotEvenTheReset) {
    select(18);
    ticks(3);
    ASSERT_EQ(engine->stepCounter(), 6);
    const PreviewFrame before = engine->frame();

    select(18);
    state.lightingView = false;
    EXPECT_FALSE(engine->PreviewTick(state));
    EXPECT_EQ(engine->stepCounter(), 6);
    EXPECT_EQ(engine->frame(), before);

    // The reset waits for the first tick with the view on.
    state.lightingView = true;
    EXPECT_TRUE(engine->PreviewTick(state));
    EXPECT_EQ(engine->stepCounter(), 2);
}

struct FirstTickCase {
    int effect;
    bool multicolour;
    std::uint8_t direction;
    int buttonId;
    KeyFace expected;
};

// The first tick of the plain effects, from phase 0, on keys at known places.
TEST_F(PreviewEngineTest, PlainEffectsColourTheirColumnsRowsAndChain) {
    const std::uint8_t first = kDirectionFirst;
    const std::uint8_t second = kDirectionSecond;
    const FirstTickCase cases[] = {
        // column wave: Esc is column 0, keypad minus column 22; right Alt
        // spans columns 9 and 10 and ends with column 10's colour
        {1, true, first, 1022, markedFace(ColourWheel[9])},
        {1, true, first, 1107, markedFace(ColourWheel[15])},
        {1, true, first, 1086, markedFace(ColourWheel[99])},
        {1, true, second, 1022, markedFace(ColourWheel[183])},
        {1, false, first, 1022, grey(Ramp96[7])},
        {1, false, second, 1022, grey(Ramp96[89])},
        // chain wave: first and last key of the chain
        {3, true, first, 1093, markedFace(ColourWheel[4])},
        {3, true, first, 1113, markedFace(ColourWheel[170])},
        {3, false, second, 1093, grey(Ramp96[92])},
        // colour cycle: every key alike
        {4, false, first, 1058, markedFace(ColourWheel[2])},
        {4, true, second, 1113, markedFace(ColourWheel[190])},
        // breathing ignores the direction; many colours are fixed per column
        {5, false, second, 1058, grey(BreathRamp128[2])},
        {5, true, first, 1010, markedFace(scaled(ColourWheel[21], BreathRamp128[2]))},
        // row wave: Esc is row 0, left Ctrl row 5
        {12, false, first, 1022, markedFace(ColourWheel[3])},
        {12, false, first, 1083, markedFace(ColourWheel[163])},
        {12, false, second, 1083, markedFace(ColourWheel[157])},
    };
    for (const auto& c : cases) {
        auto e = makeEngine();
        LightingState s = state;
        s.multicolour = c.multicolour;
        s.direction = c.direction;
        select(*e, s, c.effect);
        ticks(*e, s, 1);
        EXPECT_EQ(faceOfButton(e->frame(), c.buttonId), c.expected)
            << "effect " << c.effect << " multicolour " << c.multicolour << " direction "
            << int(c.direction) << " key " << c.buttonId;
    }
}

TEST_F(PreviewEngineTest, ColumnPulseInOneColourReadsTheRampAheadOrBehindAForwardPhase) {
    select(2);
    ticks(12); // phase 48
    // F12 is column 15: 48 + 5 * 16 = 128, one past the ramp, which is dark.
    EXPECT_EQ(face(1028), grey(0));
    EXPECT_EQ(face(1091), grey(PulseRamp128[5])); // column 16: 133 - 128
    EXPECT_EQ(face(1022), grey(PulseRamp128[53]));
    EXPECT_EQ(face(1010), grey(PulseRamp128[68])); // column 3

    // Any other direction reads behind the phase, which still runs forwards.
    auto e = makeEngine();
    LightingState s = state;
    s.direction = kDirectionSecond;
    select(*e, s, 2);
    ticks(*e, s, 12);
    EXPECT_EQ(faceOfButton(e->frame(), 1022), grey(PulseRamp128[43]));
    EXPECT_EQ(faceOfButton(e->frame(), 1030), grey(PulseRamp128[33]));  // column 2
    EXPECT_EQ(faceOfButton(e->frame(), 1015), grey(PulseRamp128[126])); // column 9: -2
}

TEST_F(PreviewEngineTest, StaticColoursAndNeverRightWinOrG6ToG9) {
    state.colour = 0x123456;
    select(6);
    ticks(1);
    for (std::uint16_t id : KeyChain) {
        EXPECT_EQ(face(id), markedFace(Rgb{0x56, 0x34, 0x12})) << id;
    }
    for (int id : {1087, 1140, 1141, 1142, 1143}) {
        EXPECT_EQ(face(id), KeyFace{}) << id;
    }

    // Many colours: a fixed rainbow, nine steps per column, back to the start
    // where the next step would reach the end of the wheel.
    state.multicolour = true;
    ticks(1);
    EXPECT_EQ(face(1022), markedFace(ColourWheel[0]));
    EXPECT_EQ(face(1029), markedFace(ColourWheel[9]));
    EXPECT_EQ(face(1106), markedFace(ColourWheel[189])); // column 21
    EXPECT_EQ(face(1107), markedFace(ColourWheel[0]));   // column 22
}

TEST_F(PreviewEngineTest, EffectsWithoutAPreviewShowNormalFaces) {
    for (int effect : {7, 8, 9, 17, 19, 21, 0}) {
        select(6);
        ticks(1);
        select(effect);
        EXPECT_TRUE(engine->PreviewTick(state));
        EXPECT_EQ(engine->frame(), PreviewFrame{}) << "effect " << effect;
    }
}

TEST_F(PreviewEngineTest, UserModeLeavesTheKeysAlone) {
    select(6);
    ticks(1);
    const PreviewFrame before = engine->frame();
    select(20);
    EXPECT_FALSE(engine->PreviewTick(state));
    EXPECT_EQ(engine->frame(), before);
}

TEST_F(PreviewEngineTest, ColourRingsStepCounterWrapsInBothDirections) {
    struct Run {
        std::uint8_t direction;
        std::vector<int> first;
        int wrapTick; // the tick where the window below starts
        std::vector<int> window;
    };
    const Run runs[] = {
        {kDirectionSecond, {192, 190, 188}, 95, {4, 2, 0, 192, 190}},
        {kDirectionFirst, {2, 4, 6}, 94, {188, 190, 0, 2}},
    };
    for (const auto& run : runs) {
        auto e = makeEngine();
        LightingState s = state;
        s.direction = run.direction;
        select(*e, s, 18);
        std::vector<int> seen;
        for (int t = 1; t < run.wrapTick + static_cast<int>(run.window.size()); ++t) {
            e->PreviewTick(s);
            seen.push_back(e->stepCounter());
        }
        EXPECT_EQ(std::vector<int>(seen.begin(), seen.begin() + 3), run.first);
        EXPECT_EQ(std::vector<int>(seen.begin() + run.wrapTick - 1, seen.end()), run.window)
            << "direction " << int(run.direction);
    }
}

TEST_F(PreviewEngineTest, ColourRingsStepOutwardsRoundTheWheel) {
    state.direction = kDirectionFirst;
    state.colour = 0x0000FF;
    select(18);
    ticks(1);                                            // s = 2
    EXPECT_EQ(face(1052), markedFace(ColourWheel[23]));  // ring 0
    EXPECT_EQ(face(1038), markedFace(ColourWheel[44]));  // ring 1
    EXPECT_EQ(face(1118), markedFace(ColourWheel[62]));  // ring 11: (2 + 252) mod 192
    EXPECT_EQ(face(1042), markedFace(ColourWheel[107])); // in rings 3 and 4: the later wins
    EXPECT_EQ(face(1087), KeyFace{});

    // Neither the colour nor the multicolour flag matters.
    const PreviewFrame oneColour = engine->frame();
    auto e = makeEngine();
    LightingState s = state;
    s.multicolour = true;
    s.colour = kWhite;
    select(*e, s, 18);
    ticks(*e, s, 1);
    EXPECT_EQ(e->frame(), oneColour);
}

TEST_F(PreviewEngineTest, TwinkleLightsThreeKeysPerTickAndFadesThemThroughTheBands) {
    select(10);
    ticks(1);
    const auto& family = engine->family(PreviewFamilyId::TwinkleAndRain);
    for (std::size_t k : {88u, 24u, 101u}) {
        EXPECT_EQ(family.level[k], 235) << k;
        EXPECT_EQ(engine->frame()[k], grey(235)) << k;
    }
    const std::vector<int> fading{215, 195, 175, 155, 135, 115, 99, 83, 67,
                                  51,  41,  31,  26,  21,  16,  15, 14};
    for (int expected : fading) {
        ticks(1);
        EXPECT_EQ(engine->frame()[88], grey(static_cast<std::uint8_t>(expected)));
    }
}

TEST_F(PreviewEngineTest, TwinkleNeverPicksTheLastSevenChainKeys) {
    select(10);
    std::set<std::size_t> lit;
    for (int t = 0; t < 2 * 37; ++t) { // every cursor position twice
        ticks(1);
        const auto& family = engine->family(PreviewFamilyId::TwinkleAndRain);
        for (std::size_t k = 0; k < kKeyChainSize; ++k) {
            if (family.level[k] == 235) {
                lit.insert(k);
            }
        }
    }
    std::set<std::size_t> expected;
    for (std::size_t k = 0; k < 104; ++k) {
        expected.insert(k);
    }
    EXPECT_EQ(lit, expected);
}

TEST_F(PreviewEngineTest, RandomColoursRepeatWithinOneSecond) {
    state.multicolour = true;
    now = 5;
    select(10);
    ticks(1);
    const auto& family = engine->family(PreviewFamilyId::TwinkleAndRain);
    // 5000, 5001, 5002 modulo 255.
    EXPECT_EQ(family.colourIndex[88], 155);
    EXPECT_EQ(family.colourIndex[24], 156);
    EXPECT_EQ(family.colourIndex[101], 157);
    EXPECT_EQ(engine->frame()[88], markedFace(scaled(ColourWheel[155], 235)));

    ticks(1); // the same second: the same colours for the next three keys
    EXPECT_EQ(family.colourIndex[57], 155);
    EXPECT_EQ(family.colourIndex[16], 156);

    now = 6;
    ticks(1);
    EXPECT_EQ(family.colourIndex[35], 6000 % 255);
}

TEST(LcgRandom, RepeatsItsSequenceForTheSameSeed) {
    LcgRandom random;
    random.seed(1);
    EXPECT_EQ(random.next(), 41u);
    EXPECT_EQ(random.next(), 18467u);
    random.seed(1);
    EXPECT_EQ(random.next(), 41u);
}

TEST_F(PreviewEngineTest, PerKeyCycleStartsOnceAndContinuesAfterReselection) {
    select(11);
    ticks(1);
    // Start indexes 33 (k + 1) kept in 1..192, then one step of 3.
    EXPECT_EQ(engine->frame()[0], markedFace(ColourWheel[36]));
    EXPECT_EQ(engine->frame()[5], markedFace(ColourWheel[9]));  // 198 - 192 + 3
    EXPECT_EQ(engine->frame()[63], markedFace(ColourWheel[0])); // 192 + 3 wraps to 0

    select(1);
    ticks(2);
    select(11);
    ticks(1);
    EXPECT_EQ(engine->frame()[0], markedFace(ColourWheel[39]));
}

// Runs `effect` for `before` ticks, another effect, then `effect` again for
// `after` ticks.
void runWithInterruption(PreviewEngine& e, LightingState& s, int effect, int before, int after) {
    s.effect = static_cast<std::uint8_t>(effect);
    e.clearFirstTickFlag();
    for (int i = 0; i < before; ++i) {
        e.PreviewTick(s);
    }
    s.effect = 1;
    e.clearFirstTickFlag();
    e.PreviewTick(s);
    e.PreviewTick(s);
    s.effect = static_cast<std::uint8_t>(effect);
    e.clearFirstTickFlag();
    for (int i = 0; i < after; ++i) {
        e.PreviewTick(s);
    }
}

TEST_F(PreviewEngineTest, BounceContinuesWhereItStoodWhenSelectedAgain) {
    state.multicolour = true;
    runWithInterruption(*engine, state, 13, 6, 3);

    auto straight = makeEngine();
    LightingState s = state;
    select(*straight, s, 13);
    ticks(*straight, s, 9);
    EXPECT_EQ(engine->family(PreviewFamilyId::Bounce).level,
              straight->family(PreviewFamilyId::Bounce).level);
    EXPECT_EQ(engine->family(PreviewFamilyId::Bounce).planes,
              straight->family(PreviewFamilyId::Bounce).planes);
    EXPECT_EQ(engine->frame(), straight->frame());
}

TEST_F(PreviewEngineTest, RainAndDiagonalSweepStartAgainFromTheirSeeds) {
    for (int effect : {15, 16}) {
        auto interrupted = makeEngine();
        LightingState s = state;
        runWithInterruption(*interrupted, s, effect, 7, 2);

        auto fresh = makeEngine();
        select(*fresh, s, effect);
        ticks(*fresh, s, 2);
        EXPECT_EQ(interrupted->frame(), fresh->frame()) << "effect " << effect;
    }
}

TEST_F(PreviewEngineTest, RainSeedRisesUpColumnNine) {
    select(15);
    ticks(1);
    // The seed sits in row 6, below the grid; the first drops fall at
    // columns 10, 13 and 16.
    const auto& planes = engine->family(PreviewFamilyId::TwinkleAndRain).planes;
    EXPECT_EQ(planes[kUpRight][9], 0x20);
    EXPECT_EQ(planes[kDownLeft][9], 0x80);
    EXPECT_EQ(planes[kDownLeft][10], 0x02);
    EXPECT_EQ(planes[kUpLeft][13], 0x00);
    EXPECT_EQ(engine->stepCounter(), 16);
    EXPECT_EQ(level(PreviewFamilyId::TwinkleAndRain, 1023), 235); // column 10, row 0

    ticks(1);
    EXPECT_EQ(level(PreviewFamilyId::TwinkleAndRain, 1086), 235); // column 9, row 5
    EXPECT_EQ(level(PreviewFamilyId::TwinkleAndRain, 1077), 0);
    ticks(1);
    EXPECT_EQ(level(PreviewFamilyId::TwinkleAndRain, 1077), 235); // row 4
}

TEST_F(PreviewEngineTest, DiagonalSweepStartsFromColumnOne) {
    select(16);
    ticks(1);
    EXPECT_EQ(engine->frame(), [] {
        PreviewFrame dark;
        dark.fill(grey(0));
        return dark;
    }()); // row 0 of column 1 holds no key
    ticks(1);
    EXPECT_EQ(level(PreviewFamilyId::DiagonalSweep, 1022), 235); // column 0, row 0
    EXPECT_EQ(level(PreviewFamilyId::DiagonalSweep, 1029), 235); // column 1, row 1
    EXPECT_EQ(level(PreviewFamilyId::DiagonalSweep, 1000), 0);
    EXPECT_EQ(level(PreviewFamilyId::DiagonalSweep, 1044), 0); // column 2, row 2
}

TEST_F(PreviewEngineTest, BounceStartsFromASeedInColumnNine) {
    select(13);
    ticks(1);
    const auto& planes = engine->family(PreviewFamilyId::Bounce).planes;
    EXPECT_EQ(planes[kDownLeft][9], 0x80);
    EXPECT_EQ(planes[kDownLeft][8], 0x40);
    EXPECT_EQ(planes[kUpRight][9], 0x20);
    EXPECT_EQ(planes[kUpRight][10], 0x40);
}

TEST_F(PreviewEngineTest, SweepAndRippleRunsItsPhasesInOrder) {
    select(14);
    ticks(1);
    // Row 0 lit at full level, then the steep fade.
    EXPECT_EQ(level(PreviewFamilyId::SweepAndRipple, 1022), 225);
    EXPECT_EQ(level(PreviewFamilyId::SweepAndRipple, 1118), 225);
    ticks(18);
    EXPECT_EQ(engine->sweepPhase(), 0);
    EXPECT_EQ(engine->stepCounter(), 19);
    ticks(1);
    EXPECT_EQ(engine->sweepPhase(), 1);
    EXPECT_EQ(engine->stepCounter(), 0);
    // 225 195 165 135 105 85 65 45 35 25 20 15, then one less per tick.
    EXPECT_EQ(level(PreviewFamilyId::SweepAndRipple, 1022), 7);

    ticks(31);
    EXPECT_EQ(engine->stepCounter(), 31);
    // The ripple waits until L has faded out.
    int guard = 0;
    while (engine->sweepPhase() == 1 && ++guard < 200) {
        const std::uint8_t before = level(PreviewFamilyId::SweepAndRipple, 1066);
        ticks(1);
        EXPECT_EQ(engine->sweepPhase() == 2, before == 0);
    }
    ASSERT_EQ(engine->sweepPhase(), 2);
    EXPECT_EQ(engine->stepCounter(), 0);

    ticks(1);
    ASSERT_EQ(engine->sweepPhase(), 3);
    // The ripple starts on P: column 11, row 2.
    EXPECT_EQ(columnBits(engine->family(PreviewFamilyId::SweepAndRipple).planes, 11), 0x04);

    guard = 0;
    while (engine->sweepPhase() == 3 && ++guard < 200) {
        ticks(1);
    }
    ASSERT_EQ(engine->sweepPhase(), 4);
    EXPECT_GT(level(PreviewFamilyId::SweepAndRipple, 1083), 0);
    guard = 0;
    while (engine->sweepPhase() == 4 && ++guard < 200) {
        const std::uint8_t before = level(PreviewFamilyId::SweepAndRipple, 1083);
        ticks(1);
        EXPECT_EQ(engine->sweepPhase() == 0, before == 0);
    }
    EXPECT_EQ(engine->sweepPhase(), 0);
    EXPECT_EQ(engine->stepCounter(), 0);
}

TEST_F(PreviewEngineTest, SweepGivesEveryLitKeyTheNextColour) {
    state.multicolour = true;
    select(14);
    ticks(1);
    const auto& family = engine->family(PreviewFamilyId::SweepAndRipple);
    // Counter 1 at the tick's start, then 11 more per lit key.
    EXPECT_EQ(family.colourIndex[keyChainIndexOf(1022)], 12);
    EXPECT_EQ(family.colourIndex[keyChainIndexOf(1118)], 23);
    ticks(1);
    EXPECT_EQ(family.colourIndex[keyChainIndexOf(1010)], 35);
    EXPECT_EQ(family.colourIndex[keyChainIndexOf(1119)], 46);
    EXPECT_EQ(engine->frame()[keyChainIndexOf(1119)], markedFace(scaled(ColourWheel[46], 225)));

    // One colour: index 0.
    state.multicolour = false;
    ticks(1);
    EXPECT_EQ(family.colourIndex[keyChainIndexOf(1011)], 0);
}

// The step counter of one effect must not carry into another effect's
// tables when the effect changes without a selection (a profile switch).
TEST_F(PreviewEngineTest, AnEffectChangedWithoutSelectionStartsAfresh) {
    select(18);
    ticks(60);
    ASSERT_EQ(engine->stepCounter(), 120);
    state.effect = 14;
    ticks(1);
    EXPECT_EQ(engine->sweepPhase(), 0);
    EXPECT_EQ(engine->stepCounter(), 1);
    EXPECT_EQ(level(PreviewFamilyId::SweepAndRipple, 1022), 225);
}

} // namespace
} // namespace kw
