#include "core/base/settings_store.h"
#include "core/config/config_image.h"
#include "core/keyeditor/key_editor_model.h"
#include "core/macros/macro_test_fixture.h"
#include "core/skin/language.h"
#include "testsupport/scripted_prompter.h"
#include "testsupport/temp_dir.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace kw {
namespace {

constexpr KeyCode kKeyA = 0x1E; // keyIndex 0x1E
constexpr KeyCode kKeyB = 0x30;
constexpr KeyCode kKeyC = 0x2E;
constexpr KeyCode kPlayPause = 0x122;
constexpr KeyCode kPrintScreen = 0x137;
constexpr KeyCode kLeftWindows = 0x15B;
constexpr KeyCode kMenu = 0x15D;
constexpr int kG3 = 258;
constexpr int kG9 = 264;

constexpr KeyStroke press(KeyCode code) {
    return {code, KeyEventKind::Press};
}
constexpr KeyStroke repeat(KeyCode code) {
    return {code, KeyEventKind::AutoRepeat};
}
constexpr KeyStroke release(KeyCode code) {
    return {code, KeyEventKind::Release};
}

// The editor over an image with a default block, the shipped English texts
// and a user who answers No.
class KeyEditorTest : public ::testing::Test {
protected:
    KeyEditorTest() {
        config.createDefaultBlock();
        editor.workingSet().setRetryPause([] {});
    }

    KeyEntry& entry(int keyIndex, int group = 0) { return *config.entry(group, keyIndex); }

    void bind(int keyIndex, KeyEntryType type, std::uint32_t value, int group = 0) {
        KeyEntry& e = entry(keyIndex, group);
        e.type = type;
        e.value = value;
    }

    std::optional<ShowKindView> open(int keyIndex, int profile = 0, int macroEditMode = 0) {
        EditorSelection selection;
        selection.keyIndex = static_cast<std::uint16_t>(keyIndex);
        selection.macroEditMode = macroEditMode;
        return editor.Start(selection, profile);
    }

    testing::TempDir folder;
    SettingsStore settings{folder / "settings.ini"};
    Language language{testing::programFolder(), settings, [] { return std::uint16_t{1033}; }};
    testing::ScriptedPrompter user;
    ConfigImage config;
    KeyEditorModel editor{config, language, user};
};

// ---- Opening and committing unchanged ----

TEST_F(KeyEditorTest, AKeyBoundToAnotherKeyOpensOnItAndCommitsTheSameEntry) {
    bind(kKeyA, KeyEntryType::KeySingle, kKeyB);
    entry(kKeyA).mark = 1;
    entry(kKeyA).extra = 0x55;
    const KeyEntry before = entry(kKeyA);

    const std::optional<ShowKindView> view = open(kKeyA);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->tab, EditorTab::Key);
    EXPECT_TRUE(view->showKeyName);
    EXPECT_EQ(view->keyNameCode, kKeyB);
    EXPECT_FALSE(editor.unappliedChanges());

    const KeyCommitResult result = editor.Commit();
    EXPECT_EQ(entry(kKeyA), before);
    EXPECT_EQ(result.entry, before);
    EXPECT_EQ(result.entryNumber, entryNumber(0, kKeyA));
    EXPECT_TRUE(result.marked);
}

TEST_F(KeyEditorTest, AMouseFunctionOpensInMouseModeAndCommitsUnchanged) {
    bind(kKeyA, KeyEntryType::KeySingle, 0x161);
    const ShowKindView view = *open(kKeyA);
    EXPECT_TRUE(view.mouseMode);
    EXPECT_EQ(view.mousePosition, 3);
    EXPECT_FALSE(view.showKeyName);
    editor.Commit();
    EXPECT_EQ(entry(kKeyA).type, KeyEntryType::KeySingle);
    EXPECT_EQ(entry(kKeyA).value, 0x161u);
}

TEST_F(KeyEditorTest, MacroEditModeOpensOnTheMacroTabWhateverTheKeyHolds) {
    config.macros = {testing::StoredMacro(u"one", 4), testing::StoredMacro(u"two", 9)};
    bind(kG9, KeyEntryType::KeyMedia, 3);
    const ShowKindView view = *open(kG9, 0, 1);
    EXPECT_EQ(view.tab, EditorTab::Macro);
    EXPECT_TRUE(view.macroControls);
    EXPECT_FALSE(view.captureKeys);
    EXPECT_EQ(editor.state().editKind, kEditMacro);
    EXPECT_EQ(editor.workingSet().currentMacro(), 0);
}

TEST_F(KeyEditorTest, StartRefusesWhileTheProfileIsUnknownOrOutOfRange) {
    for (const int profile : {-1, 3, 4}) {
        SCOPED_TRACE(profile);
        EXPECT_EQ(open(kKeyA, profile), std::nullopt);
        EXPECT_FALSE(editor.isOpen());
    }
}

TEST_F(KeyEditorTest, StartReadsTheEntryOfItsProfileAndCommitWritesOnlyThatEntry) {
    bind(kKeyA, KeyEntryType::KeyMedia, 4, 0);
    bind(kKeyA, KeyEntryType::KeySingle, kKeyB, 1);
    bind(kKeyA, KeyEntryType::KeyFunction, 2, 2);
    ConfigBlock expected = *config.block;

    const ShowKindView view = *open(kKeyA, 1);
    EXPECT_EQ(view.tab, EditorTab::Key);
    EXPECT_EQ(view.keyNameCode, kKeyB);
    editor.KeyEvent(press(kKeyC));
    const KeyCommitResult result = editor.Commit();

    expected.entries[entryNumber(1, kKeyA)].value = kKeyC;
    EXPECT_EQ(*config.block, expected);
    EXPECT_EQ(result.entryNumber, entryNumber(1, kKeyA));
}

// ---- Single-key capture ----

struct CaptureScenario {
    const char* name;
    std::vector<KeyStroke> strokes;
    bool mouseMode = false;
    int mousePosition = 0;
    KeyEntryType type;
    std::uint32_t value;
};

TEST_F(KeyEditorTest, CapturedKeysDecideWhatTheCommitStores) {
    const CaptureScenario scenarios[] = {
        {"another key", {press(kKeyB), release(kKeyB)}, false, 0, KeyEntryType::KeySingle, kKeyB},
        // A key given its own code is the key again.
        {"the edited key itself",
         {press(kKeyA), release(kKeyA)},
         false,
         0,
         KeyEntryType::KeyDefault,
         kKeyA},
        // C was held when B went down: its repeats and release change nothing.
        {"held keys: the first press only",
         {press(kKeyB), repeat(kKeyB), repeat(kKeyC), repeat(kKeyB), release(kKeyC),
          release(kKeyB)},
         false,
         0,
         KeyEntryType::KeySingle,
         kKeyB},
        {"media keys are not captured",
         {press(kKeyB), release(kKeyB), press(kPlayPause), release(kPlayPause)},
         false,
         0,
         KeyEntryType::KeySingle,
         kKeyB},
        {"print screen seen on release only",
         {release(kPrintScreen)},
         false,
         0,
         KeyEntryType::KeySingle,
         kPrintScreen},
        {"the menu key seen on release only",
         {release(kMenu)},
         false,
         0,
         KeyEntryType::KeySingle,
         kMenu},
        {"keys in mouse mode leave the mouse choice",
         {press(kKeyB), release(kKeyB)},
         true,
         2,
         KeyEntryType::KeySingle,
         0x173},
        {"windows key in mouse mode leaves the mouse choice",
         {press(kLeftWindows), release(kLeftWindows)},
         true,
         4,
         KeyEntryType::KeySingle,
         0x162},
    };
    for (const CaptureScenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(open(kKeyA));
        if (s.mouseMode) {
            editor.MouseModeClicked();
            editor.MouseFunctionChosen(s.mousePosition);
        }
        for (const KeyStroke& stroke : s.strokes) {
            editor.KeyEvent(stroke);
        }
        EXPECT_EQ(editor.View().mouseMode, s.mouseMode);
        const KeyCommitResult result = editor.Commit();
        EXPECT_EQ(entry(kKeyA).type, s.type);
        EXPECT_EQ(entry(kKeyA).value, s.value);
        EXPECT_EQ(result.marked, s.type != KeyEntryType::KeyDefault);
        editor.Close();
        entry(kKeyA) = KeyEntry{};
    }
}

TEST_F(KeyEditorTest, HoldingAKeyTakesOnlyItsFirstPress) {
    open(kKeyA);
    const CaptureDecision first = editor.KeyEvent(press(kKeyB));
    EXPECT_TRUE(first.take);
    // Apply is done before the rest of the hold arrives.
    editor.Commit();
    for (const KeyStroke stroke : {repeat(kKeyB), repeat(kKeyB), release(kKeyB)}) {
        const CaptureDecision d = editor.KeyEvent(stroke);
        EXPECT_TRUE(d.swallow);
        EXPECT_FALSE(d.take);
    }
    EXPECT_FALSE(editor.unappliedChanges());
}

TEST_F(KeyEditorTest, ACapturedKeyMovesAnotherKindBackToTheKeyTabsKind) {
    bind(kKeyA, KeyEntryType::KeyLaunch, 0);
    const ShowKindView view = *open(kKeyA);
    EXPECT_EQ(view.tab, EditorTab::Key);
    EXPECT_FALSE(view.showKeyName); // a launch entry's value is not a key
    editor.KeyEvent(press(kKeyB));
    EXPECT_EQ(editor.state().editKind, kEditSingle);
    editor.Commit();
    EXPECT_EQ(entry(kKeyA).type, KeyEntryType::KeySingle);
    EXPECT_EQ(entry(kKeyA).value, kKeyB);
}

// ---- Tabs and Clear ----

struct TabClickCase {
    const char* name;
    KeyEntryType stored;
    EditorTab clicked;
    bool changes;
};

TEST_F(KeyEditorTest, ATabClickChangesSomethingOnlyWhenItsKindIsNotAlreadyUp) {
    config.macros = {testing::StoredMacro(u"one", 4)};
    const TabClickCase cases[] = {
        {"default, key tab", KeyEntryType::KeyDefault, EditorTab::Key, false},
        {"single, key tab", KeyEntryType::KeySingle, EditorTab::Key, false},
        {"macro, macro tab", KeyEntryType::KeyMacro, EditorTab::Macro, false},
        {"media, media tab", KeyEntryType::KeyMedia, EditorTab::Media, false},
        {"function, function tab", KeyEntryType::KeyFunction, EditorTab::Function, false},
        // The key tab shows a launch entry, but its kind is not the key tab's.
        {"launch, key tab", KeyEntryType::KeyLaunch, EditorTab::Key, true},
        {"default, media tab", KeyEntryType::KeyDefault, EditorTab::Media, true},
        {"macro, key tab", KeyEntryType::KeyMacro, EditorTab::Key, true},
    };
    for (const TabClickCase& c : cases) {
        SCOPED_TRACE(c.name);
        bind(kKeyA, c.stored, c.stored == KeyEntryType::KeyMacro ? 4 : 0);
        ASSERT_TRUE(open(kKeyA));
        const std::optional<ShowKindView> view = editor.TabClicked(c.clicked);
        EXPECT_EQ(view.has_value(), c.changes);
        if (view) {
            EXPECT_EQ(view->tab, c.clicked);
        }
        EXPECT_EQ(editor.unappliedChanges(), c.changes);
        editor.Close();
    }
}

TEST_F(KeyEditorTest, ClearOnAMacroKeyShowsTheEmptyKeyTabAndStoresTheDefault) {
    config.macros = {testing::StoredMacro(u"one", 4)};
    bind(kKeyA, KeyEntryType::KeyMacro, 4);
    entry(kKeyA).keyId = 2;
    ASSERT_EQ(open(kKeyA)->tab, EditorTab::Macro);

    const ShowKindView view = editor.ClearClicked();
    EXPECT_EQ(view.tab, EditorTab::Key);
    EXPECT_FALSE(view.showKeyName);
    EXPECT_FALSE(view.mouseMode);
    EXPECT_TRUE(editor.unappliedChanges());

    const KeyCommitResult result = editor.Commit();
    EXPECT_EQ(entry(kKeyA).type, KeyEntryType::KeyDefault);
    EXPECT_EQ(entry(kKeyA).value, 0u);
    EXPECT_EQ(entry(kKeyA).keyId, 0);
    EXPECT_FALSE(result.marked);
}

TEST_F(KeyEditorTest, ClearInMouseModeStoresTheDefaultToo) {
    bind(kKeyA, KeyEntryType::KeySingle, 0x172);
    open(kKeyA);
    EXPECT_FALSE(editor.ClearClicked().mouseMode);
    editor.Commit();
    EXPECT_EQ(entry(kKeyA).type, KeyEntryType::KeyDefault);
}

// Every choice that changes what a commit stores enables Apply; one that
// repeats the shown choice does not.
struct ChangeCase {
    const char* name;
    KeyEntryType stored;
    std::uint32_t value;
    std::function<void(KeyEditorModel&)> act;
    bool changes;
};

TEST_F(KeyEditorTest, ApplyEnablesExactlyForChoicesThatChangeTheCommit) {
    config.macros = {testing::StoredMacro(u"one", 4), testing::StoredMacro(u"two", 9)};
    const ChangeCase cases[] = {
        {"clear a key", KeyEntryType::KeySingle, kKeyB, [](auto& e) { e.ClearClicked(); }, true},
        {"clear a default key", KeyEntryType::KeyDefault, 0, [](auto& e) { e.ClearClicked(); },
         false},
        {"mouse mode", KeyEntryType::KeySingle, kKeyB, [](auto& e) { e.MouseModeClicked(); }, true},
        {"keyboard mode", KeyEntryType::KeySingle, 0x171, [](auto& e) { e.KeyboardModeClicked(); },
         true},
        {"keyboard mode again", KeyEntryType::KeySingle, kKeyB,
         [](auto& e) { e.KeyboardModeClicked(); }, false},
        {"another mouse function", KeyEntryType::KeySingle, 0x171,
         [](auto& e) { e.MouseFunctionChosen(3); }, true},
        {"the same mouse function", KeyEntryType::KeySingle, 0x161,
         [](auto& e) { e.MouseFunctionChosen(3); }, false},
        {"a mouse position outside the list", KeyEntryType::KeySingle, 0x171,
         [](auto& e) { e.MouseFunctionChosen(5); }, false},
        {"another media function", KeyEntryType::KeyMedia, 5,
         [](auto& e) { e.MediaFunctionChosen(6); }, true},
        {"the same media function", KeyEntryType::KeyMedia, 5,
         [](auto& e) { e.MediaFunctionChosen(5); }, false},
        {"another keyboard function", KeyEntryType::KeyFunction, 2,
         [](auto& e) { e.KeyboardFunctionChosen(10); }, true},
        {"a function outside the list", KeyEntryType::KeyFunction, 2,
         [](auto& e) { e.KeyboardFunctionChosen(11); }, false},
        {"another macro", KeyEntryType::KeyMacro, 4, [](auto& e) { e.MacroChosen(1); }, true},
        {"the same macro", KeyEntryType::KeyMacro, 4, [](auto& e) { e.MacroChosen(0); }, false},
        {"a captured key", KeyEntryType::KeyDefault, 0, [](auto& e) { e.KeyEvent(press(kKeyB)); },
         true},
        {"a media key on the key tab", KeyEntryType::KeyDefault, 0,
         [](auto& e) { e.KeyEvent(press(kPlayPause)); }, false},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        bind(kKeyA, c.stored, c.value);
        ASSERT_TRUE(open(kKeyA));
        ASSERT_FALSE(editor.unappliedChanges());
        c.act(editor);
        EXPECT_EQ(editor.unappliedChanges(), c.changes);
        editor.Commit();
        EXPECT_FALSE(editor.unappliedChanges());
        editor.Close();
    }
}

TEST_F(KeyEditorTest, ChosenListPositionsAreWhatTheCommitStores) {
    bind(kKeyA, KeyEntryType::KeyMedia, 5);
    open(kKeyA);
    editor.MediaFunctionChosen(17);
    editor.Commit();
    EXPECT_EQ(entry(kKeyA).type, KeyEntryType::KeyMedia);
    EXPECT_EQ(entry(kKeyA).value, 17u);

    editor.TabClicked(EditorTab::Function);
    editor.KeyboardFunctionChosen(10);
    editor.Commit();
    EXPECT_EQ(entry(kKeyA).type, KeyEntryType::KeyFunction);
    EXPECT_EQ(entry(kKeyA).value, 10u);
}

// ---- Macros ----

TEST_F(KeyEditorTest, TheMacroTabWithNoMacrosStoresTheDefault) {
    bind(kKeyA, KeyEntryType::KeySingle, kKeyB);
    open(kKeyA);
    ASSERT_EQ(editor.TabClicked(EditorTab::Macro)->tab, EditorTab::Macro);
    const KeyCommitResult result = editor.Commit();
    EXPECT_EQ(entry(kKeyA).type, KeyEntryType::KeyDefault);
    EXPECT_FALSE(result.marked);
}

TEST_F(KeyEditorTest, AGKeyBoundToAMacroGetsTheCyclesAsItsKeyId) {
    config.macros = {testing::StoredMacro(u"one", 4), testing::StoredMacro(u"two", 9)};
    open(kG3);
    editor.TabClicked(EditorTab::Macro);
    editor.MacroChosen(1);
    EXPECT_EQ(editor.CyclesEdited("3"), "3");
    editor.Commit();
    EXPECT_EQ(entry(kG3).type, KeyEntryType::KeyMacro);
    EXPECT_EQ(entry(kG3).value, 9u);
    EXPECT_EQ(entry(kG3).keyId, 3);
    EXPECT_EQ(config.macros[1].repeatCount, 3);
}

TEST_F(KeyEditorTest, AGKeyBoundToAKeyKeepsItsIdentity) {
    bind(kG3, KeyEntryType::KeyMacro, 4);
    entry(kG3).keyId = 5; // the cycles of its former macro
    config.macros = {testing::StoredMacro(u"one", 4)};
    open(kG3);
    editor.TabClicked(EditorTab::Key);
    editor.KeyEvent(press(kKeyB));
    editor.Commit();
    EXPECT_EQ(entry(kG3).type, KeyEntryType::KeySingle);
    EXPECT_EQ(entry(kG3).keyId, gKeyIdentity(kG3));
    EXPECT_EQ(entry(kG3).keyId, 0x0303);
}

TEST_F(KeyEditorTest, TheFirstSwitchToTheMacroTabSelectsTheFirstMacroOnlyForValueZero) {
    config.macros = {testing::StoredMacro(u"one", 4, {{10, kKeyB, 0}, {0, kKeyB, 1}}),
                     testing::StoredMacro(u"two", 9)};

    // A media key's value 5 names no macro.
    bind(kKeyA, KeyEntryType::KeyMedia, 5);
    open(kKeyA);
    EXPECT_FALSE(editor.TabClicked(EditorTab::Macro)->makeMacroCurrent);
    EXPECT_EQ(editor.workingSet().currentMacro(), -1);
    EXPECT_TRUE(editor.workingSet().rows().empty());
    editor.Close();

    bind(kKeyA, KeyEntryType::KeyDefault, 0);
    open(kKeyA);
    editor.TabClicked(EditorTab::Macro);
    EXPECT_EQ(editor.workingSet().currentMacro(), 0);
    EXPECT_EQ(editor.workingSet().rows().size(), 2u);
    // The user's pick survives a trip to another tab and back.
    editor.MacroChosen(1);
    editor.TabClicked(EditorTab::Media);
    editor.TabClicked(EditorTab::Macro);
    EXPECT_EQ(editor.workingSet().currentMacro(), 1);
}

TEST_F(KeyEditorTest, MacrosAddedAfterAFirstSwitchToAnEmptyListStayCurrent) {
    open(kKeyA);
    editor.TabClicked(EditorTab::Macro);
    editor.workingSet().AddMacro();
    editor.workingSet().AddMacro();
    editor.TabClicked(EditorTab::Media);
    editor.TabClicked(EditorTab::Macro);
    ASSERT_EQ(editor.workingSet().currentMacro(), 1);
    editor.Commit();
    EXPECT_EQ(entry(kKeyA).type, KeyEntryType::KeyMacro);
    EXPECT_EQ(entry(kKeyA).value, config.macros[1].macroId);
}

TEST_F(KeyEditorTest, AMacroTabWithNoMacroCurrentStoresMacroIdZero) {
    config.macros = {testing::StoredMacro(u"one", 4)};
    bind(kKeyA, KeyEntryType::KeyMedia, 5);
    open(kKeyA);
    editor.TabClicked(EditorTab::Macro);
    editor.Commit();
    EXPECT_EQ(entry(kKeyA).type, KeyEntryType::KeyMacro);
    EXPECT_EQ(entry(kKeyA).value, 0u);
}

// ---- What a commit and a cancel do to the image ----

TEST_F(KeyEditorTest, CommitKeepsMarkAndExtraAndEmptiesTheEntrysString) {
    const std::size_t number = entryNumber(0, kKeyA);
    bind(kKeyA, KeyEntryType::KeyLaunch, 0);
    entry(kKeyA).mark = 7;
    entry(kKeyA).extra = 0x1234;
    config.setString(number, u"calc");
    config.setString(entryNumber(0, kKeyB), u"notes");
    const std::uint32_t otherBytes = config.strings[entryNumber(0, kKeyB)].byteLength;
    ASSERT_GT(config.stringBytes, otherBytes);

    open(kKeyA);
    editor.KeyEvent(press(kKeyC));
    const KeyCommitResult result = editor.Commit();

    const KeyEntry expected{KeyEntryType::KeySingle, 0, kKeyC, 7, 0x1234};
    EXPECT_EQ(entry(kKeyA), expected);
    EXPECT_EQ(result.entry, expected);
    EXPECT_TRUE(config.strings[number].empty());
    EXPECT_EQ(config.stringBytes, otherBytes);
}

TEST_F(KeyEditorTest, CancelAfterChangesLeavesTheImageAsItWas) {
    config.macros = {testing::StoredMacro(u"one", 4, {{10, kKeyB, 0}, {0, kKeyB, 1}}),
                     testing::StoredMacro(u"two", 9)};
    bind(kKeyA, KeyEntryType::KeyMacro, 4);
    bind(kKeyB, KeyEntryType::KeyMacro, 9);
    config.setString(entryNumber(0, kKeyA), u"kept");
    const ConfigBlock block = *config.block;
    const std::vector<MacroRecord> macros = config.macros;
    const std::uint32_t stringBytes = config.stringBytes;

    open(kKeyA);
    editor.MacroChosen(1);
    editor.CyclesEdited("7");
    editor.workingSet().InsertAction({0, kKeyC, 0}, {});
    editor.workingSet().AddMacro();
    editor.workingSet().RenameMacro(u"renamed");
    editor.TabClicked(EditorTab::Key);
    editor.KeyEvent(press(kKeyC));
    editor.MouseModeClicked();
    ASSERT_TRUE(editor.unappliedChanges());
    editor.Close();

    EXPECT_EQ(*config.block, block);
    EXPECT_EQ(config.macros, macros);
    EXPECT_EQ(config.stringBytes, stringBytes);
    EXPECT_EQ(config.strings[entryNumber(0, kKeyA)].text, u"kept");
    EXPECT_FALSE(editor.isOpen());
    EXPECT_FALSE(editor.unappliedChanges());
}

TEST_F(KeyEditorTest, ApplyCommitsAndStaysOpenForMoreChanges) {
    open(kKeyA);
    editor.KeyEvent(press(kKeyB));
    editor.Commit();
    EXPECT_TRUE(editor.isOpen());
    editor.KeyEvent(press(kKeyC));
    EXPECT_TRUE(editor.unappliedChanges());
    editor.Close();
    EXPECT_EQ(entry(kKeyA).value, kKeyB); // the change after Apply was cancelled
}

} // namespace
} // namespace kw
