// The key editor's macro tab in the real main window on the simulated
// keyboard: macros added, recorded from key events, edited in place, deleted
// and bound to a key, then applied and read back from the keyboard.

#include "core/keys/key_table.h"
#include "core/sync/keyboard_refresh.h"
#include "gui/keyeditor/composite_editor_test_fixture.h"
#include "gui/keyeditor/macro_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>

namespace kw::gui {
namespace {

using namespace testing;

constexpr KeyCode kCodeA = 0x01E;
constexpr std::uint16_t kIndexG6 = kFirstGKeyIndex + 5;

class MacroTabTest : public CompositeEditorTest {
protected:
    QTableWidget& actions(Keyweave_DlgComposite& d) {
        return *static_cast<QTableWidget*>(d.Control(kActionList));
    }
    QComboBox& names(Keyweave_DlgComposite& d) {
        return *static_cast<QComboBox*>(d.Control(kMacroName));
    }
    void typeCycles(Keyweave_DlgComposite& d, const QString& text) {
        auto& cycles = *static_cast<QLineEdit*>(d.Control(kCycles));
        cycles.selectAll();
        QTest::keyClicks(&cycles, text);
    }
    // Adds a macro and records `keys` (tapped) into it.
    void recordMacro(Keyweave_DlgComposite& d, std::initializer_list<int> keys) {
        click(d.Control(kMacroAdd));
        click(d.Control(kRecord));
        EXPECT_TRUE(d.Capturing());
        EXPECT_EQ(QWidget::keyboardGrabber(), &d);
        for (int key : keys) {
            tap(d, key);
        }
        click(d.Control(kRecord));
        EXPECT_FALSE(d.Capturing());
    }
    std::vector<MacroRecord> imageMacros() {
        std::lock_guard guard(config.lock);
        return config.macros;
    }
};

TEST_F(MacroTabTest, RecordedMacroBoundToAGKeyReachesTheKeyboard) {
    openEditor(kG6, [&](Keyweave_DlgComposite& d) {
        click(d.Control(kTabMacro));
        recordMacro(d, {evdev::KEY_A, evdev::KEY_B});
        ASSERT_EQ(actions(d).rowCount(), 4);
        EXPECT_EQ(actions(d).item(0, 0)->text(), QStringLiteral("A"));
        EXPECT_EQ(actions(d).item(2, 0)->text(), QStringLiteral("B"));
        EXPECT_EQ(actions(d).item(1, 1)->text(), QStringLiteral("  \u2191"));
        typeCycles(d, QStringLiteral("3"));
        click(d.Control(kOk));
    });
    const KeyEntry bound = entry(kIndexG6, profile());
    EXPECT_EQ(bound.type, KeyEntryType::KeyMacro);
    EXPECT_EQ(bound.keyId, 3);
    click(window.Control(kIdApply));
    ASSERT_TRUE(waitFor([&] { return !window.Sync().modified.isSet(); }));

    // What a later connection reads back from the keyboard.
    {
        std::lock_guard guard(config.lock);
        config.clearMacros();
    }
    ASSERT_EQ(RefreshFromKeyboard(window.Sync()), 1);
    const std::vector<MacroRecord> macros = imageMacros();
    ASSERT_EQ(macros.size(), 1u);
    EXPECT_EQ(macros[0].repeatCount, 3);
    ASSERT_EQ(macros[0].actionCount, 4);
    const KeyCode codes[] = {kCodeA, kCodeA, kCodeB, kCodeB};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(macros[0].actions[i].keyCode, codes[i]) << i;
        EXPECT_EQ(macros[0].actions[i].isRelease, i % 2) << i;
        // The fixed 50 ms pause between recorded actions, none after the last.
        EXPECT_EQ(macros[0].actions[i].delayMs, i < 3 ? 50u : 0u) << i;
    }
    EXPECT_EQ(entry(kIndexG6, profile()).type, KeyEntryType::KeyMacro);
    EXPECT_EQ(entry(kIndexG6, profile()).value, macros[0].macroId);
}

TEST_F(MacroTabTest, EveryStoppingPointEndsTheRecordingAndItsGrab) {
    openEditor(kG6, [&](Keyweave_DlgComposite& d) {
        click(d.Control(kTabMacro));
        click(d.Control(kMacroAdd));
        click(d.Control(kRecord));
        // Help is a key to record, not a request.
        tap(d, evdev::KEY_F1);
        EXPECT_TRUE(shell.urls.empty());
        EXPECT_EQ(actions(d).rowCount(), 2);
        EXPECT_FALSE(d.Control(kMacroAdd)->isEnabled());
        click(d.Control(kTabMedia));
        EXPECT_FALSE(parts->KeyEditor().Model().recording());
        EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);

        click(d.Control(kTabMacro));
        click(d.Control(kRecord));
        click(d.Control(kApply));
        EXPECT_FALSE(parts->KeyEditor().Model().recording());
        EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);

        click(d.Control(kRecord));
        actions(d).cellDoubleClicked(0, 2); // a delay edit
        EXPECT_FALSE(parts->KeyEditor().Model().recording());

        click(d.Control(kRecord));
        EXPECT_TRUE(d.Capturing());
        simulated.unplug();
        EXPECT_TRUE(waitFor([&] { return !d.isVisible(); }));
    });
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    EXPECT_FALSE(parts->KeyEditor().keyEditorOpen());
}

TEST_F(MacroTabTest, CancelAfterEditsLeavesTheMacrosAsTheyWere) {
    openEditor(kG6, [&](Keyweave_DlgComposite& d) {
        click(d.Control(kTabMacro));
        recordMacro(d, {evdev::KEY_A});
        click(d.Control(kOk));
    });
    const std::vector<MacroRecord> before = imageMacros();
    ASSERT_EQ(before.size(), 1u);
    openEditor(kG6, [&](Keyweave_DlgComposite& d) {
        // Into the macro G6 plays, which the image already holds.
        click(d.Control(kRecord));
        tap(d, evdev::KEY_C);
        click(d.Control(kRecord));
        EXPECT_EQ(actions(d).rowCount(), 4);
        typeCycles(d, QStringLiteral("9"));
        click(d.Control(kActionClear)); // asked, and No keeps the rows
        click(d.Control(kMacroDelete)); // the key is bound: asked, No
        names(d).lineEdit()->setText(QString());
        QTest::keyClicks(names(d).lineEdit(), QStringLiteral("Renamed"));
        click(d.Control(kCancel));
    });
    EXPECT_EQ(imageMacros(), before);
    EXPECT_EQ(prompter.questions.size(), 2u);
}

TEST_F(MacroTabTest, DeletingABoundMacroAsksAndResetsItsKeysAtCommit) {
    openEditor(kG6, [&](Keyweave_DlgComposite& d) {
        click(d.Control(kTabMacro));
        recordMacro(d, {evdev::KEY_A});
        click(d.Control(kOk));
    });
    ASSERT_EQ(entry(kIndexG6, profile()).type, KeyEntryType::KeyMacro);
    prompter.yes = true;
    openEditor(kKeyA, [&](Keyweave_DlgComposite& d) {
        click(d.Control(kTabMacro));
        click(d.Control(kMacroDelete));
        EXPECT_EQ(names(d).count(), 0);
        click(d.Control(kOk));
    });
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], language.text("MACRO_DELETE_CONFIRM_OF_KEYS"));
    EXPECT_TRUE(imageMacros().empty());
    EXPECT_EQ(entry(kIndexG6, profile()).type, KeyEntryType::KeyDefault);
    // An empty macro list stores the key's default for the edited key too.
    EXPECT_EQ(entry(kIndexA, profile()).type, KeyEntryType::KeyDefault);
    EXPECT_EQ(parts->Keys().button(kG6)->TooltipText(), QStringLiteral("G6"));
}

TEST_F(MacroTabTest, DelayCellsTakeDigitsTruncatedAndCapped) {
    openEditor(kG6, [&](Keyweave_DlgComposite& d) {
        click(d.Control(kTabMacro));
        recordMacro(d, {evdev::KEY_A});
        const struct {
            const char* typed;
            const char* shown;
            bool capped;
        } cases[] = {{"1234", "1230", false}, {"45678", "40000", true}, {"", "40000", false}};
        for (const auto& c : cases) {
            actions(d).cellDoubleClicked(0, 2);
            auto* edit = qobject_cast<QLineEdit*>(actions(d).cellWidget(0, 2));
            ASSERT_NE(edit, nullptr) << c.typed;
            edit->clear();
            QTest::keyClicks(edit, QString::fromLatin1(c.typed));
            QTest::keyClicks(edit, QStringLiteral("x-")); // refused by the edit
            d.MacroTab().CommitCellEdit();
            QCoreApplication::processEvents();
            EXPECT_EQ(actions(d).item(0, 2)->text(), QString::fromLatin1(c.shown)) << c.typed;
            EXPECT_EQ(!prompter.messages.empty(), c.capped) << c.typed;
            prompter.messages.clear();
        }
        typeCycles(d, QStringLiteral("300"));
        EXPECT_EQ(static_cast<QLineEdit*>(d.Control(kCycles))->text(), QStringLiteral("255"));
        typeCycles(d, QStringLiteral("0"));
        EXPECT_EQ(static_cast<QLineEdit*>(d.Control(kCycles))->text(), QStringLiteral("1"));
    });
}

TEST_F(MacroTabTest, KeyAndDirectionCellsChooseFromTheirLists) {
    openEditor(kG6, [&](Keyweave_DlgComposite& d) {
        click(d.Control(kTabMacro));
        recordMacro(d, {evdev::KEY_A});
        const auto choose = [&](int column, int position) {
            actions(d).cellDoubleClicked(0, column);
            auto* list = qobject_cast<QComboBox*>(actions(d).cellWidget(0, column));
            ASSERT_NE(list, nullptr) << column;
            list->setCurrentIndex(position);
            emit list->activated(position);
            list->hidePopup();
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            EXPECT_EQ(actions(d).cellWidget(0, column), nullptr) << column;
        };
        choose(0, ListPositionOf(kCodeB));
        EXPECT_EQ(actions(d).item(0, 0)->text(), QStringLiteral("B"));
        choose(1, 1);
        EXPECT_EQ(actions(d).item(0, 1)->text(), QStringLiteral("  \u2191"));
        EXPECT_TRUE(d.Control(kApply)->isEnabled());
        click(d.Control(kOk));
    });
    const std::vector<MacroRecord> macros = imageMacros();
    ASSERT_EQ(macros.size(), 1u);
    EXPECT_EQ(macros[0].actions[0].keyCode, kCodeB);
    EXPECT_EQ(macros[0].actions[0].isRelease, 1);
}

TEST_F(MacroTabTest, RecordDelayChoiceIsKeptUnderItsLanguageName) {
    const std::string entryName = language.text("MACRO_ACTION_RECORD_DELAY");
    SettingsStore store(SettingsStore::defaultPath());
    store.writeProfileString("PROFILES", entryName, "7");
    openEditor(kG6, [&](Keyweave_DlgComposite& d) {
        auto& box = *static_cast<QCheckBox*>(d.Control(kRecordDelay));
        EXPECT_FALSE(box.isChecked());
        EXPECT_EQ(store.readProfileString("PROFILES", entryName, ""), "0");
        click(&box);
        EXPECT_TRUE(box.isChecked());
    });
    EXPECT_EQ(store.readProfileString("PROFILES", entryName, ""), "1");
    openEditor(kG6, [&](Keyweave_DlgComposite& d) {
        EXPECT_TRUE(static_cast<QCheckBox*>(d.Control(kRecordDelay))->isChecked());
    });
}

} // namespace
} // namespace kw::gui
