#include "core/macros/macro_recorder.h"
#include "core/macros/macro_test_fixture.h"
#include "core/macros/macro_working_set.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace kw {
namespace {

using testing::StoredMacro;

using testing::MacroTest;

constexpr KeyCode kA = 0x01E;
constexpr KeyCode kB = 0x030;
constexpr KeyCode kPrintScreen = 0x137;
constexpr KeyCode kVolumeDown = 0x12E;

constexpr MacroAction press(KeyCode code, std::uint32_t delay) {
    return {delay, code, 0};
}
constexpr MacroAction release(KeyCode code, std::uint32_t delay) {
    return {delay, code, 1};
}

constexpr KeyStroke down(KeyCode code) {
    return {code, KeyEventKind::Press};
}
constexpr KeyStroke up(KeyCode code) {
    return {code, KeyEventKind::Release};
}
constexpr KeyStroke repeat(KeyCode code) {
    return {code, KeyEventKind::AutoRepeat};
}

// A recorder on a clock the test sets, with macro "m" current.
class MacroRecorderTest : public MacroTest {
protected:
    // The macro starts with these rows; the last row's pause is what a new row
    // after it inherits.
    void useMacro(std::vector<MacroAction> actions) {
        config.macros = {StoredMacro(u"m", 1, std::move(actions))};
        set.LoadMacroList();
        set.SelectMacro(0);
    }

    MacroRecorderTest() { useMacro({}); }

    // The event at tick `at`; true when it was swallowed.
    bool at(std::uint32_t tick, KeyStroke stroke) {
        now = tick;
        return recorder.KeyEvent(stroke);
    }

    std::uint32_t now = 1000;
    MacroRecorder recorder{set, [this] { return now; }};
};

TEST_F(MacroRecorderTest, HoldingAKeyRecordsOnePressAndOneRelease) {
    recorder.Start();
    EXPECT_TRUE(at(1100, down(kA)));
    for (std::uint32_t t = 1600; t < 2000; t += 33) {
        EXPECT_TRUE(at(t, repeat(kA)));
    }
    EXPECT_TRUE(at(2000, up(kA)));
    EXPECT_EQ(set.rows(), (std::vector<MacroAction>{press(kA, 50), release(kA, 0)}));
    EXPECT_TRUE(set.unappliedChanges());
}

TEST_F(MacroRecorderTest, WithoutMeasuredPausesEveryPauseIs50) {
    recorder.Start();
    at(1003, down(kA));
    at(1500, up(kA));
    at(9000, down(kB));
    at(9001, up(kB));
    // Each pause goes to the row before; the last row keeps the new macro's 0.
    EXPECT_EQ(set.rows(), (std::vector<MacroAction>{press(kA, 50), release(kA, 50), press(kB, 50),
                                                    release(kB, 0)}));
}

struct GapCase {
    const char* name;
    std::uint32_t start;
    std::uint32_t pressAt;
    std::uint32_t releaseAt;
    std::uint32_t pressGap; // from the start
    std::uint32_t releaseGap;
    friend void PrintTo(const GapCase& c, std::ostream* os) { *os << c.name; }
};

class MacroRecorderGapTest : public MacroRecorderTest,
                             public ::testing::WithParamInterface<GapCase> {};

TEST_P(MacroRecorderGapTest, MeasuredPausesAreTheTimeToTheNextEvent) {
    const GapCase& c = GetParam();
    useMacro({press(kB, 77)});
    recorder.setRecordDelay(true);
    now = c.start;
    recorder.Start();
    at(c.pressAt, down(kA));
    at(c.releaseAt, up(kA));
    EXPECT_EQ(set.rows(), (std::vector<MacroAction>{press(kB, c.pressGap), press(kA, c.releaseGap),
                                                    release(kA, 77)}));
}

INSTANTIATE_TEST_SUITE_P(Clock, MacroRecorderGapTest,
                         ::testing::Values(GapCase{"plain", 1000, 1250, 1900, 250, 650},
                                           GapCase{"same_tick", 1000, 1000, 1000, 0, 0},
                                           GapCase{"wrap_before_the_press", 0xFFFFFFF0u,
                                                   0x00000005u, 0x00000010u, 21, 11},
                                           GapCase{"wrap_before_the_release", 0xFFFFFF00u,
                                                   0xFFFFFFFAu, 0x00000014u, 250, 26}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// What one event does on its own: swallowed or passed on, and how many rows it adds.
struct EventCase {
    const char* name;
    KeyStroke stroke;
    bool swallowed;
    std::size_t rowsAdded;
    friend void PrintTo(const EventCase& c, std::ostream* os) { *os << c.name; }
};

class MacroRecorderEventTest : public MacroRecorderTest,
                               public ::testing::WithParamInterface<EventCase> {};

TEST_P(MacroRecorderEventTest, SwallowsAndRecordsByKind) {
    const EventCase& c = GetParam();
    recorder.Start();
    EXPECT_EQ(at(1010, c.stroke), c.swallowed);
    EXPECT_EQ(set.rows().size(), c.rowsAdded);
}

INSTANTIATE_TEST_SUITE_P(
    Events, MacroRecorderEventTest,
    ::testing::Values(EventCase{"no_code_press", down(kNoKey), false, 0},
                      EventCase{"no_code_release", up(kNoKey), false, 0},
                      EventCase{"media_press", down(kVolumeDown), false, 0},
                      EventCase{"media_release", up(kVolumeDown), false, 0},
                      EventCase{"media_repeat", repeat(0x16D), false, 0},
                      EventCase{"key_press", down(kA), true, 1},
                      EventCase{"key_release", up(kA), true, 1},
                      EventCase{"key_repeat", repeat(kA), true, 0},
                      EventCase{"windows_key_press", down(kLeftWindowsKey), true, 1},
                      EventCase{"windows_key_repeat", repeat(kRightWindowsKey), true, 0},
                      EventCase{"print_screen_repeat", repeat(kPrintScreen), true, 0}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Sys Req, KL, KR and Print Screen get a press of their own before each event.
class MacroRecorderMadeUpPressTest
    : public MacroRecorderTest,
      public ::testing::WithParamInterface<std::tuple<KeyCode, KeyEventKind, bool>> {};

TEST_P(MacroRecorderMadeUpPressTest, ComesBeforeTheEventWithAPauseOf2) {
    const auto [code, kind, measured] = GetParam();
    useMacro({press(kB, 77)});
    recorder.setRecordDelay(measured);
    recorder.Start();
    at(1300, KeyStroke{code, kind});
    const std::uint16_t isRelease = kind == KeyEventKind::Release ? 1 : 0;
    EXPECT_EQ(set.rows(), (std::vector<MacroAction>{press(kB, measured ? 2 : 50),
                                                    press(code, measured ? 300 : 50),
                                                    {77, code, isRelease}}));
    EXPECT_EQ(set.selectedRow(), 2);
}

std::string
madeUpPressCaseName(const ::testing::TestParamInfo<MacroRecorderMadeUpPressTest::ParamType>& info) {
    const auto [code, kind, measured] = info.param;
    char name[40];
    std::snprintf(name, sizeof name, "key_%03X_%s_%s", static_cast<unsigned>(code),
                  kind == KeyEventKind::Release ? "release" : "press",
                  measured ? "measured" : "fixed");
    return name;
}

INSTANTIATE_TEST_SUITE_P(FourKeys, MacroRecorderMadeUpPressTest,
                         ::testing::Combine(::testing::Values(KeyCode{0x054}, KeyCode{0x071},
                                                              KeyCode{0x072}, kPrintScreen),
                                            ::testing::Values(KeyEventKind::Release,
                                                              KeyEventKind::Press),
                                            ::testing::Bool()),
                         madeUpPressCaseName);

TEST_F(MacroRecorderTest, KeypadStarSharingPrintScreensKeyGetsNoMadeUpPress) {
    recorder.Start();
    at(1010, up(0x037));
    EXPECT_EQ(set.rows(), std::vector<MacroAction>{release(0x037, 0)});
}

TEST_F(MacroRecorderTest, AHeldWindowsKeyIsRecordedOnceUntilAnyRelease) {
    // Repeats of a Windows key may come as plain presses.
    recorder.Start();
    const KeyStroke events[] = {
        down(kLeftWindowsKey),   down(kLeftWindowsKey),
        repeat(kLeftWindowsKey), up(kLeftWindowsKey),
        down(kLeftWindowsKey),   down(kRightWindowsKey),
        down(kRightWindowsKey),  up(kA),
        down(kRightWindowsKey),
    };
    for (const KeyStroke& e : events) {
        EXPECT_TRUE(recorder.KeyEvent(e));
    }
    EXPECT_EQ(set.rows(),
              (std::vector<MacroAction>{press(kLeftWindowsKey, 50), release(kLeftWindowsKey, 50),
                                        press(kLeftWindowsKey, 50), press(kRightWindowsKey, 50),
                                        release(kA, 50), press(kRightWindowsKey, 0)}));
}

TEST_F(MacroRecorderTest, RecordsAfterTheSelectedRowInOrderAndTheSelectionFollows) {
    std::vector<MacroAction> ten;
    for (std::uint32_t i = 0; i < 10; ++i) {
        ten.push_back(press(static_cast<KeyCode>(0x10 + i), 100 + i));
    }
    useMacro(ten);
    set.SelectRow(3);
    recorder.Start();
    at(1010, down(kA));
    EXPECT_EQ(set.selectedRow(), 4);
    at(1020, up(kA));
    EXPECT_EQ(set.selectedRow(), 5);

    std::vector<MacroAction> expected = ten;
    expected[3].delayMs = 50;
    expected.insert(expected.begin() + 4, {press(kA, 50), release(kA, 103)});
    EXPECT_EQ(set.rows(), expected);
}

TEST_F(MacroRecorderTest, AFullMacroTakesNothingMoreButRecordingGoesOn) {
    useMacro(std::vector<MacroAction>(kMacroActionsMax, press(kB, 10)));
    recorder.Start();
    EXPECT_TRUE(at(1010, down(kA)));
    EXPECT_TRUE(at(1020, up(kA)));
    EXPECT_EQ(set.rows(), std::vector<MacroAction>(kMacroActionsMax, press(kB, 10)));
    EXPECT_TRUE(recorder.recording());

    set.SelectRow(0);
    set.DeleteAction(); // room for one more
    at(1030, down(kA));
    ASSERT_EQ(set.rows().size(), kMacroActionsMax);
    EXPECT_EQ(set.rows().back(), press(kA, 10));
}

TEST_F(MacroRecorderTest, WithoutACurrentMacroKeysAreStillSwallowed) {
    set.SelectMacro(-1);
    recorder.Start();
    EXPECT_TRUE(at(1010, down(kA)));
    EXPECT_TRUE(set.rows().empty());
}

TEST_F(MacroRecorderTest, OnlyARunningRecordingTakesKeys) {
    EXPECT_FALSE(recorder.recording());
    EXPECT_FALSE(at(1010, down(kA)));
    EXPECT_FALSE(at(1020, up(kPrintScreen)));

    recorder.Toggle();
    EXPECT_TRUE(recorder.recording());
    EXPECT_TRUE(at(1030, down(kA)));
    recorder.Toggle();
    EXPECT_FALSE(recorder.recording());
    EXPECT_FALSE(at(1040, up(kA)));
    EXPECT_EQ(set.rows(), std::vector<MacroAction>{press(kA, 0)});
}

TEST_F(MacroRecorderTest, EachStartMeasuresFromItselfAndForgetsTheHeldWindowsKey) {
    useMacro({press(kB, 0)});
    recorder.setRecordDelay(true);
    now = 100;
    recorder.Start();
    at(400, down(kLeftWindowsKey));
    recorder.Stop();
    now = 5000;
    recorder.Start();
    EXPECT_TRUE(at(5010, down(kLeftWindowsKey))); // held over the restart, counts as new
    EXPECT_EQ(set.rows(), (std::vector<MacroAction>{press(kB, 300), press(kLeftWindowsKey, 10),
                                                    press(kLeftWindowsKey, 0)}));
}

} // namespace
} // namespace kw
