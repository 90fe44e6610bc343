// Undo and redo in the real main window on the simulated keyboard: key
// assignments committed through the key function editor, stepped back and
// forward with the window's buttons and shortcuts, and forgotten by Apply.

#include "core/base/bytes.h"
#include "core/config/config_block_codec.h"
#include "gui/keyeditor/composite_editor_test_fixture.h"

#include <QTest>

namespace kw::gui {
namespace {

using namespace testing;

constexpr int kKeyC = 1073;
constexpr std::uint16_t kIndexC = 0x2E;
constexpr KeyCode kCodeD = 0x020;
constexpr int kUndoButton = 1224;
constexpr int kRedoButton = 1225;

class UndoInTheWindowTest : public CompositeEditorTest {
protected:
    // Types `evdevCode` into the editor of `controlId` and commits it with OK.
    void assign(int controlId, int evdevCode) {
        openEditor(controlId, [&](Keyweave_DlgComposite& dialog) {
            tap(dialog, evdevCode);
            click(dialog.Control(kOk));
        });
    }

    // The working image in its file layout: block, then the macros.
    std::vector<std::uint8_t> imageBytes() {
        std::vector<std::uint8_t> bytes;
        ByteWriter out(bytes);
        std::lock_guard guard(config.lock);
        appendConfigBlock(out, *config.block);
        for (const MacroRecord& macro : config.macros) {
            appendMacroRecord(out, macro);
        }
        return bytes;
    }

    CPngButton& button(int id) { return *parts->Commands().button(id); }
    // The window's shortcuts act only while it is the active window.
    void shortcut(Qt::KeyboardModifiers modifiers, Qt::Key key) {
        ASSERT_TRUE(waitFor([&] { return window.isVisible(); }));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, key, modifiers);
    }
};

TEST_F(UndoInTheWindowTest, TwoAssignmentsUndoneToTheAppliedImageRedoneAndForgottenByApply) {
    const std::vector<std::uint8_t> applied = imageBytes();
    EXPECT_FALSE(button(kUndoButton).isEnabled());
    EXPECT_FALSE(button(kRedoButton).isEnabled());
    assign(kKeyA, evdev::KEY_B);
    assign(kKeyC, evdev::KEY_D);
    ASSERT_EQ(entry(kIndexC, profile()).value, kCodeD);
    EXPECT_TRUE(button(kUndoButton).isEnabled());

    click(&button(kUndoButton));
    shortcut(Qt::ControlModifier, Qt::Key_Z);

    EXPECT_EQ(imageBytes(), applied);
    EXPECT_FALSE(window.Control(kIdApply)->isEnabled());
    EXPECT_FALSE(button(kUndoButton).isEnabled());
    EXPECT_TRUE(button(kRedoButton).isEnabled());
    EXPECT_EQ(parts->Keys().button(kKeyA)->TooltipText().indexOf(QStringLiteral("B")), -1);

    shortcut(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);

    EXPECT_EQ(entry(kIndexA, profile()).type, KeyEntryType::KeySingle);
    EXPECT_EQ(entry(kIndexA, profile()).value, kCodeB);
    EXPECT_EQ(entry(kIndexC, profile()).type, KeyEntryType::KeyDefault);
    EXPECT_TRUE(window.Control(kIdApply)->isEnabled());
    EXPECT_NE(parts->Keys().button(kKeyA)->TooltipText().indexOf(QStringLiteral("B")), -1);
    EXPECT_TRUE(button(kUndoButton).isEnabled());
    EXPECT_TRUE(button(kRedoButton).isEnabled());

    click(window.Control(kIdApply));
    ASSERT_TRUE(waitFor([&] { return keyboardEntry(kIndexA).type == KeyEntryType::KeySingle; }));
    EXPECT_FALSE(button(kUndoButton).isEnabled());
    EXPECT_FALSE(button(kRedoButton).isEnabled());
    const std::vector<std::uint8_t> written = imageBytes();
    shortcut(Qt::ControlModifier, Qt::Key_Z);
    shortcut(Qt::ControlModifier, Qt::Key_Y);
    EXPECT_EQ(imageBytes(), written);
    EXPECT_FALSE(window.Control(kIdApply)->isEnabled());
}

TEST_F(UndoInTheWindowTest, RestoreDefaultsIsOneStepWhileItsApplyCannotGetThrough) {
    assign(kKeyA, evdev::KEY_B);
    assign(kKeyC, evdev::KEY_D);
    // Without its configuration file the apply fails and keeps the history.
    std::filesystem::remove(window.Sync().configFile());
    prompter.yes = true;

    parts->Commands().RestoreDefaults();
    ASSERT_EQ(entry(kIndexA, profile()).type, KeyEntryType::KeyDefault);

    EXPECT_TRUE(window.Control(kIdApply)->isEnabled());

    shortcut(Qt::ControlModifier, Qt::Key_Z);
    EXPECT_EQ(entry(kIndexA, profile()).value, kCodeB);
    EXPECT_EQ(entry(kIndexC, profile()).value, kCodeD);
    EXPECT_NE(parts->Keys().button(kKeyC)->TooltipText().indexOf(QStringLiteral("D")), -1);
}

} // namespace
} // namespace kw::gui
