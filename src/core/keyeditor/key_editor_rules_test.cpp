#include "core/keyeditor/dialog_position.h"
#include "core/keyeditor/key_capture.h"
#include "core/keyeditor/mouse_functions.h"
#include "core/keyeditor/show_kind.h"
#include "core/keys/media_keys.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw {
namespace {

constexpr KeyCode kKeyA = 0x1E;
constexpr KeyCode kRightCtrl = 0x11D;
constexpr KeyCode kPrintScreen = 0x137;
constexpr KeyCode kLeftWindows = 0x15B;
constexpr KeyCode kRightWindows = 0x15C;
constexpr KeyCode kMenu = 0x15D;

constexpr KeyEventKind kAllKinds[] = {KeyEventKind::Press, KeyEventKind::Release,
                                      KeyEventKind::AutoRepeat};

const char* kindName(KeyEventKind kind) {
    switch (kind) {
    case KeyEventKind::Press:
        return "press";
    case KeyEventKind::Release:
        return "release";
    case KeyEventKind::AutoRepeat:
        return "repeat";
    }
    return "?";
}

std::string traceOf(KeyCode code, KeyEventKind kind, bool mouseMode) {
    return "code " + std::to_string(code) + ", " + kindName(kind) +
           (mouseMode ? ", mouse mode" : ", keyboard mode");
}

constexpr CaptureDecision kPassOn{false, false};
constexpr CaptureDecision kSwallow{true, false};
constexpr CaptureDecision kTake{true, true};

// ---- DecideCapture ----

struct CaptureCase {
    KeyCode code;
    KeyEventKind kind;
    bool mouseMode;
    CaptureDecision expected;
};

TEST(DecideCaptureTest, OrdinaryKeysAreTakenOnAFreshPressInKeyboardModeOnly) {
    const CaptureCase cases[] = {
        {kKeyA, KeyEventKind::Press, false, kTake},
        {kKeyA, KeyEventKind::Release, false, kSwallow},
        {kKeyA, KeyEventKind::AutoRepeat, false, kSwallow},
        {kRightCtrl, KeyEventKind::Press, false, kTake},
        {kRightCtrl, KeyEventKind::AutoRepeat, false, kSwallow},
        // Print Screen is reported on release only by many systems: any event takes it.
        {kPrintScreen, KeyEventKind::Press, false, kTake},
        {kPrintScreen, KeyEventKind::Release, false, kTake},
        {kPrintScreen, KeyEventKind::AutoRepeat, false, kTake},
        // In mouse mode the keyboard keys still must not reach the dialog.
        {kKeyA, KeyEventKind::Press, true, kSwallow},
        {kKeyA, KeyEventKind::Release, true, kSwallow},
        {kRightCtrl, KeyEventKind::Press, true, kSwallow},
        {kPrintScreen, KeyEventKind::Press, true, kSwallow},
        {kPrintScreen, KeyEventKind::Release, true, kSwallow},
    };
    for (const CaptureCase& c : cases) {
        SCOPED_TRACE(traceOf(c.code, c.kind, c.mouseMode));
        EXPECT_EQ(DecideCapture({c.code, c.kind}, c.mouseMode), c.expected);
    }
}

TEST(DecideCaptureTest, WindowsAndMenuKeysAreTakenOnEveryEventInBothModes) {
    for (const KeyCode code : {kLeftWindows, kRightWindows, kMenu}) {
        for (const KeyEventKind kind : kAllKinds) {
            for (const bool mouseMode : {false, true}) {
                SCOPED_TRACE(traceOf(code, kind, mouseMode));
                EXPECT_EQ(DecideCapture({code, kind}, mouseMode), kTake);
            }
        }
    }
}

TEST(DecideCaptureTest, MediaKeysAndEventsWithoutACodePassOn) {
    std::vector<KeyCode> codes{kNoKey};
    for (const MediaKey& media : MediaKeyTable()) {
        codes.push_back(media.code);
    }
    for (const KeyCode code : codes) {
        for (const KeyEventKind kind : kAllKinds) {
            for (const bool mouseMode : {false, true}) {
                SCOPED_TRACE(traceOf(code, kind, mouseMode));
                EXPECT_EQ(DecideCapture({code, kind}, mouseMode), kPassOn);
            }
        }
    }
}

// ---- Mouse list ----

TEST(MouseFunctionsTest, CodesAndListPositionsMapBothWays) {
    const struct {
        KeyCode code;
        int position;
    } pairs[] = {{0x171, 0}, {0x172, 1}, {0x173, 2}, {0x161, 3}, {0x162, 4}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.position);
        EXPECT_EQ(MousePositionOfCode(p.code), p.position);
        EXPECT_EQ(MouseCodeOfPosition(p.position), p.code);
    }
}

TEST(MouseFunctionsTest, ValuesOutsideTheListMapToNothing) {
    for (const KeyCode code :
         {kNoKey, kKeyA, KeyCode{0x160}, KeyCode{0x163}, KeyCode{0x170}, KeyCode{0x174}}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(MousePositionOfCode(code), -1);
    }
    for (const int position : {-1, 5, 1000}) {
        SCOPED_TRACE(position);
        EXPECT_EQ(MouseCodeOfPosition(position), kNoKey);
    }
}

// ---- KeyEditorPosition ----

struct PlacementCase {
    const char* name;
    ScreenRect key;
    int width, height;
    ScreenRect screen;
    ScreenPoint expected;
};

TEST(KeyEditorPositionTest, OpensAtTheFirstCornerOfTheKeyWhereTheDialogFits) {
    constexpr ScreenRect hd{0, 0, 1920, 1080};
    // A second monitor left of and above the first.
    constexpr ScreenRect side{-1280, -300, 0, 724};
    constexpr ScreenRect above{0, -1080, 1920, 0};
    const PlacementCase cases[] = {
        {"right and below", {100, 100, 150, 150}, 400, 300, hd, {150, 150}},
        {"right and above (no room below)", {100, 900, 150, 950}, 400, 300, hd, {150, 600}},
        {"left and below (no room right)", {1700, 100, 1750, 150}, 400, 300, hd, {1300, 150}},
        {"left and above (no room right or below)",
         {1700, 900, 1750, 950},
         400,
         300,
         hd,
         {1300, 600}},
        {"exactly the room to the right and below fits",
         {1470, 730, 1520, 780},
         400,
         300,
         hd,
         {1520, 780}},
        {"a pixel short to the right goes left", {1471, 100, 1521, 150}, 400, 300, hd, {1071, 150}},
        {"a pixel short below goes above", {100, 731, 150, 781}, 400, 300, hd, {150, 431}},
        {"nowhere fits: right and below, moved onto the screen",
         {900, 500, 950, 550},
         1000,
         700,
         hd,
         {920, 380}},
        {"nowhere fits on a screen smaller than the dialog: its top-left corner",
         {100, 100, 150, 150},
         2000,
         1200,
         hd,
         {0, 0}},
        {"room counted from the screen's own edges",
         {-100, 600, -50, 650},
         400,
         300,
         side,
         {-500, 300}},
        {"above, on a screen that lies above the first",
         {100, -100, 150, -50},
         400,
         300,
         above,
         {150, -400}},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KeyEditorPosition(false, c.key, c.width, c.height, c.screen), c.expected);
    }
}

TEST(KeyEditorPositionTest, MacroEditModeCentresOnTheScreenWhereverTheKeyIs) {
    const struct {
        ScreenRect screen;
        ScreenPoint expected;
    } cases[] = {
        {{0, 0, 1920, 1080}, {760, 390}},
        {{1920, -200, 3840, 880}, {2680, 190}},
    };
    for (const auto& c : cases) {
        for (const ScreenRect key :
             {ScreenRect{0, 0, 10, 10}, ScreenRect{1900, 1000, 1910, 1010}}) {
            EXPECT_EQ(KeyEditorPosition(true, key, 400, 300, c.screen), c.expected);
        }
    }
}

// ---- ShowKind ----

std::vector<MacroRecord> macrosWithIds(std::initializer_list<std::uint16_t> ids) {
    std::vector<MacroRecord> macros;
    for (const std::uint16_t id : ids) {
        MacroRecord m;
        m.macroId = id;
        macros.push_back(m);
    }
    return macros;
}

struct TabCase {
    const char* name;
    std::uint16_t editKind;
    std::uint32_t storedValue;
    EditorTab tab;
    EditorFocus focus;
    // Single-key tab only:
    KeyCode capturedCode = kNoKey;
    bool mouseMode = false;
    int mousePosition = 0;
    // Media and function tabs only:
    int listPosition = 0;
};

PageSet maskOf(EditorTab tab) {
    switch (tab) {
    case EditorTab::Key:
        return PageSet::Key;
    case EditorTab::Macro:
        return PageSet::Macro;
    case EditorTab::Media:
        return PageSet::Media;
    case EditorTab::Function:
        return PageSet::Function;
    }
    return PageSet::Key;
}

TEST(ShowKindTest, OpeningShowsTheTabOfTheStoredKindWithTheStoredValue) {
    const TabCase cases[] = {
        {"default", kEditDefault, 0, EditorTab::Key, EditorFocus::KeyInput},
        {"disabled, not edited here", 1, 0, EditorTab::Key, EditorFocus::KeyInput},
        // A launch entry's value is a string offset, not a key.
        {"launch, not edited here", 3, 0x30, EditorTab::Key, EditorFocus::KeyInput},
        {"a kind no key has", 0x1234, 0x1E, EditorTab::Key, EditorFocus::KeyInput},
        {"another key", kEditSingle, 0x30, EditorTab::Key, EditorFocus::KeyInput, 0x30},
        {"an E0 key", kEditSingle, kRightCtrl, EditorTab::Key, EditorFocus::KeyInput, kRightCtrl},
        {"no key", kEditSingle, 0, EditorTab::Key, EditorFocus::KeyInput},
        {"left button", kEditSingle, 0x171, EditorTab::Key, EditorFocus::KeyInput, 0x171, true, 0},
        {"middle button", kEditSingle, 0x173, EditorTab::Key, EditorFocus::KeyInput, 0x173, true,
         2},
        {"wheel down", kEditSingle, 0x162, EditorTab::Key, EditorFocus::KeyInput, 0x162, true, 4},
        {"macro", kEditMacro, 9, EditorTab::Macro, EditorFocus::None},
        {"media 5", kEditMedia, 5, EditorTab::Media, EditorFocus::MediaList, {}, {}, {}, 5},
        {"media 17", kEditMedia, 17, EditorTab::Media, EditorFocus::MediaList, {}, {}, {}, 17},
        {"media out of range", kEditMedia, 18, EditorTab::Media, EditorFocus::MediaList},
        {"function 10",
         kEditFunction,
         10,
         EditorTab::Function,
         EditorFocus::FunctionList,
         {},
         {},
         {},
         10},
        {"function out of range", kEditFunction, 11, EditorTab::Function,
         EditorFocus::FunctionList},
    };
    const std::vector<MacroRecord> macros = macrosWithIds({4, 9});
    for (const TabCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyEditorState in;
        in.editKind = c.editKind;
        in.storedValue = c.storedValue;
        in.recording = true;
        in.firstMacroTabSwitch = true;
        const auto [out, view] = ShowKind(in, true, macros);

        EXPECT_EQ(view.tab, c.tab);
        EXPECT_EQ(view.maskSet, maskOf(c.tab));
        EXPECT_EQ(view.focus, c.focus);
        std::array<bool, 4> marks{};
        marks[static_cast<std::size_t>(c.tab)] = true;
        EXPECT_EQ(view.tabMarks, marks);
        EXPECT_EQ(view.macroControls, c.tab == EditorTab::Macro);
        EXPECT_EQ(view.singleKeyControls, c.tab == EditorTab::Key);
        EXPECT_EQ(view.mediaControls, c.tab == EditorTab::Media);
        EXPECT_EQ(view.functionControls, c.tab == EditorTab::Function);
        EXPECT_EQ(view.captureKeys, c.tab == EditorTab::Key);
        // Every tab but the macro tab ends a running recording.
        EXPECT_EQ(view.stopRecording, c.tab != EditorTab::Macro);
        EXPECT_EQ(out.recording, c.tab == EditorTab::Macro);
        EXPECT_EQ(out.editKind, c.editKind);

        if (c.tab == EditorTab::Key) {
            EXPECT_EQ(out.capturedCode, c.capturedCode);
            EXPECT_EQ(out.mouseMode, c.mouseMode);
            EXPECT_EQ(view.mouseMode, c.mouseMode);
            EXPECT_EQ(view.mousePosition, c.mousePosition);
            const bool named = !c.mouseMode && c.capturedCode != kNoKey;
            EXPECT_EQ(view.showKeyName, named);
            EXPECT_EQ(view.keyNameCode, named ? c.capturedCode : kNoKey);
        }
        if (c.tab == EditorTab::Media) {
            EXPECT_EQ(view.mediaPosition, c.listPosition);
            EXPECT_EQ(out.mediaPosition, c.listPosition);
        }
        if (c.tab == EditorTab::Function) {
            EXPECT_EQ(view.functionPosition, c.listPosition);
            EXPECT_EQ(out.functionPosition, c.listPosition);
        }
    }
}

TEST(ShowKindTest, ASwitchBackKeepsWhatTheUserChoseInsteadOfTheStoredValue) {
    KeyEditorState in;
    in.storedValue = 5;
    in.capturedCode = kKeyA;
    in.mousePosition = 3;
    in.mediaPosition = 2;
    in.functionPosition = 7;

    in.editKind = kEditSingle;
    ShowKindResult r = ShowKind(in, false, {});
    EXPECT_EQ(r.state.capturedCode, kKeyA);
    EXPECT_EQ(r.view.keyNameCode, kKeyA);

    in.mouseMode = true;
    r = ShowKind(in, false, {});
    EXPECT_TRUE(r.view.mouseMode);
    EXPECT_FALSE(r.view.showKeyName);
    EXPECT_EQ(r.view.mousePosition, 3);

    in.editKind = kEditMedia;
    EXPECT_EQ(ShowKind(in, false, {}).view.mediaPosition, 2);
    in.editKind = kEditFunction;
    EXPECT_EQ(ShowKind(in, false, {}).view.functionPosition, 7);
}

struct MacroTabCase {
    const char* name;
    bool fromStart;
    bool firstSwitch;
    std::uint32_t storedValue;
    std::vector<MacroRecord> macros;
    int currentMacro; // -1: no macro made current
    bool firstSwitchAfter;
};

TEST(ShowKindTest, MacroTabMakesCurrentTheMacroTheKeyIsBoundTo) {
    const std::vector<MacroRecord> three = macrosWithIds({4, 9, 12});
    const MacroTabCase cases[] = {
        {"opened: the bound macro", true, true, 9, three, 1, true},
        {"opened: only the low 16 bits name the macro", true, true, 0x0003000C, three, 2, true},
        {"opened: value 0 gives the first", true, true, 0, three, 0, true},
        {"opened: an unknown id gives the first", true, true, 7, three, 0, true},
        {"opened: an empty list has none", true, true, 9, {}, -1, true},
        {"first switch, value 0: the first", false, true, 0, three, 0, false},
        {"first switch, value 5 of another kind: none", false, true, 5, three, -1, false},
        {"first switch, value of a macro: none", false, true, 9, three, -1, false},
        {"second switch: none", false, false, 0, three, -1, false},
        // The first switch is spent even when there is nothing to select.
        {"first switch to an empty list", false, true, 0, {}, -1, false},
    };
    for (const MacroTabCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyEditorState in;
        in.editKind = kEditMacro;
        in.storedValue = c.storedValue;
        in.firstMacroTabSwitch = c.firstSwitch;
        const auto [out, view] = ShowKind(in, c.fromStart, c.macros);
        EXPECT_EQ(view.makeMacroCurrent, c.currentMacro >= 0);
        if (c.currentMacro >= 0) {
            EXPECT_EQ(view.currentMacro, c.currentMacro);
        }
        EXPECT_EQ(out.firstMacroTabSwitch, c.firstSwitchAfter);
    }
}

} // namespace
} // namespace kw
