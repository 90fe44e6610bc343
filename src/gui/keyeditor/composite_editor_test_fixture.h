#pragma once
// The real main window on the simulated keyboard with a scripted user, for
// driving the key function editor: clicks on the drawn keys, key events that
// carry native scan codes, and the keyboard's own tables afterwards.

#include "core/config/key_matrix.h"
#include "core/keys/key_buttons.h"
#include "gui/keyeditor/keyweave_dlg_composite.h"
#include "gui/mainwnd/main_window_parts.h"
#include "gui/mainwnd/simulated_window_test_fixture.h"

#include <QTest>
#include <functional>

namespace kw::gui::testing {

using namespace std::chrono_literals;
using namespace composite;

constexpr int kKeyA = 1058;
constexpr int kKeyEsc = 1022;
constexpr int kG6 = 1140;
constexpr int kMacroButton = 1007;
constexpr int kProfile2Button = 1136;
constexpr std::uint16_t kIndexA = 0x1E;
constexpr KeyCode kCodeB = 0x030;

// A key event as X11 delivers it: the evdev code + 8 as native scan code.
inline void sendKey(QWidget& target, QEvent::Type type, int evdevCode, bool autoRepeat = false) {
    QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, static_cast<quint32>(evdevCode + 8), 0,
                    0, QString(), autoRepeat);
    QApplication::sendEvent(&target, &event);
}

inline void tap(QWidget& target, int evdevCode) {
    sendKey(target, QEvent::KeyPress, evdevCode);
    sendKey(target, QEvent::KeyRelease, evdevCode);
}

inline void click(QWidget* control) {
    ASSERT_NE(control, nullptr);
    QTest::mouseClick(control, Qt::LeftButton, {},
                      QPoint(control->width() / 2, control->height() / 2));
}

class CompositeEditorTest : public SimulatedWindowTest {
protected:
    CompositeEditorTest() { startWithParts(); }

    // Clicks `controlId` in the main window and runs `whileOpen` inside the editor's modal loop.
    void openEditor(int controlId, std::function<void(Keyweave_DlgComposite&)> whileOpen) {
        bool ran = false;
        parts->KeyEditor().SetWhileOpen([&](Keyweave_DlgComposite& dialog) {
            ran = true;
            whileOpen(dialog);
            if (dialog.isVisible()) {
                dialog.reject();
            }
        });
        click(parts->Keys().button(controlId) ? parts->Keys().button(controlId)
                                              : parts->Commands().button(controlId));
        EXPECT_TRUE(ran);
    }

    KeyEntry entry(int keyIndex, int group) {
        std::lock_guard guard(config.lock);
        return *config.entry(group, keyIndex);
    }

    // The active profile's key table as the keyboard holds it, decoded.
    KeyEntry keyboardEntry(int keyIndex) {
        const sim::KeyboardMemory memory = simulated.memory();
        KeyMatrix table{}, defaults{};
        keyMatrixFromBytes(memory.keyTables[static_cast<std::size_t>(profile())], table);
        keyMatrixFromBytes(memory.defaultMatrix, defaults);
        std::array<KeyEntry, kEntriesPerGroup> group{};
        decodeKeyMatrix(table, defaults, group);
        return group[static_cast<std::size_t>(keyIndex)];
    }
};

} // namespace kw::gui::testing
