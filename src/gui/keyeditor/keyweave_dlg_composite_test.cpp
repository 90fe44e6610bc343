// The key function editor inside the real main window on the simulated
// keyboard: opened by a click on a drawn key, driven with key events that
// carry native scan codes, committed and applied to the keyboard.

#include "gui/keyeditor/composite_editor_test_fixture.h"

#include <QComboBox>
#include <QLineEdit>

namespace kw::gui {
namespace {

using namespace testing;
using namespace composite;

TEST_F(CompositeEditorTest, TypedKeyGoesThroughOkAndApplyToTheKeyboard) {
    openEditor(kKeyA, [&](Keyweave_DlgComposite& dialog) {
        EXPECT_TRUE(dialog.Capturing());
        EXPECT_EQ(QWidget::keyboardGrabber(), &dialog);
        // Held B: one press, repeats, one release; only the press counts.
        sendKey(dialog, QEvent::KeyPress, evdev::KEY_B);
        sendKey(dialog, QEvent::KeyPress, evdev::KEY_B, true);
        sendKey(dialog, QEvent::KeyRelease, evdev::KEY_B);
        EXPECT_EQ(static_cast<QLineEdit*>(dialog.Control(kKeyInput))->text(), QStringLiteral("B"));
        EXPECT_TRUE(dialog.Control(kApply)->isEnabled());
        click(dialog.Control(kOk));
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    const KeyEntry written = entry(kIndexA, profile());
    EXPECT_EQ(written.type, KeyEntryType::KeySingle);
    EXPECT_EQ(written.value, kCodeB);
    EXPECT_TRUE(window.Control(kIdApply)->isEnabled());
    EXPECT_NE(parts->Keys().button(kKeyA)->TooltipText().indexOf(QStringLiteral("B")), -1);

    click(window.Control(kIdApply));
    EXPECT_TRUE(waitFor([&] { return keyboardEntry(kIndexA).type == KeyEntryType::KeySingle; }));
    EXPECT_EQ(keyboardEntry(kIndexA).value, kCodeB);
}

TEST_F(CompositeEditorTest, DialogKeysAreCapturedInsteadOfClosingTheEditor) {
    openEditor(kKeyEsc, [&](Keyweave_DlgComposite& dialog) {
        for (int code : {evdev::KEY_ENTER, evdev::KEY_ESC}) {
            // A taken key ends the capture; the next starts back in the key field.
            click(dialog.Control(kKeyInput));
            EXPECT_TRUE(dialog.Capturing()) << code;
            tap(dialog, code);
            EXPECT_TRUE(dialog.isVisible()) << code;
            EXPECT_FALSE(dialog.Capturing()) << code;
        }
        // Escape was the last key: the Esc key assigned to itself.
        EXPECT_EQ(static_cast<QLineEdit*>(dialog.Control(kKeyInput))->text(),
                  QString::fromStdString(language.text("IDS_KEYBOARD_ESC")));
        click(dialog.Control(kOk));
    });
    EXPECT_EQ(entry(0x01, profile()).type, KeyEntryType::KeyDefault);
}

TEST_F(CompositeEditorTest, ReleasesTheGrabWhenAnotherTabShowsAndOnEveryWayOut) {
    openEditor(kKeyA, [&](Keyweave_DlgComposite& dialog) {
        click(dialog.Control(kTabMedia));
        EXPECT_FALSE(dialog.Capturing());
        EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
        EXPECT_TRUE(dialog.Control(kMediaList)->isVisible());
        EXPECT_FALSE(dialog.Control(kKeyInput)->isVisible());
        // Keys on the media tab are no capture.
        tap(dialog, evdev::KEY_B);
        click(dialog.Control(kTabKey));
        EXPECT_EQ(QWidget::keyboardGrabber(), &dialog);
        EXPECT_TRUE(static_cast<QLineEdit*>(dialog.Control(kKeyInput))->text().isEmpty());
        click(dialog.Control(kCancel));
    });
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    EXPECT_FALSE(parts->KeyEditor().keyEditorOpen());

    // Closed from outside, as an unplug does, and by the quit sequence (Exit, /Kill).
    openEditor(kKeyA, [&](Keyweave_DlgComposite&) { window.CloseEditors(); });
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    EXPECT_FALSE(parts->KeyEditor().keyEditorOpen());
    openEditor(kKeyA, [&](Keyweave_DlgComposite& dialog) {
        tap(dialog, evdev::KEY_B);
        window.QuitSequence();
    });
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    EXPECT_FALSE(parts->KeyEditor().keyEditorOpen());
}

TEST_F(CompositeEditorTest, UnplugClosesAsCancelAndKeepsWhatApplyCommitted) {
    const int active = profile();
    openEditor(kKeyA, [&](Keyweave_DlgComposite& dialog) {
        tap(dialog, evdev::KEY_B);
        click(dialog.Control(kApply));
        EXPECT_FALSE(dialog.Control(kApply)->isEnabled());
        // A second change that is never committed.
        click(dialog.Control(kTabFunction));
        simulated.unplug();
        EXPECT_TRUE(waitFor([&] { return !dialog.isVisible(); }));
    });
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    EXPECT_FALSE(parts->KeyEditor().keyEditorOpen());
    const KeyEntry kept = entry(kIndexA, active);
    EXPECT_EQ(kept.type, KeyEntryType::KeySingle);
    EXPECT_EQ(kept.value, kCodeB);
}

TEST_F(CompositeEditorTest, MediaTabStoresTheChosenFunction) {
    openEditor(kG6, [&](Keyweave_DlgComposite& dialog) {
        click(dialog.Control(kTabMedia));
        auto* media = static_cast<QComboBox*>(dialog.Control(kMediaList));
        media->setCurrentIndex(5);
        emit media->activated(5);
        click(dialog.Control(kOk));
    });
    const KeyEntry written = entry(kFirstGKeyIndex + 5, profile());
    EXPECT_EQ(written.type, KeyEntryType::KeyMedia);
    EXPECT_EQ(written.value, 5u);
    EXPECT_EQ(written.keyId, gKeyIdentity(kFirstGKeyIndex + 5));
}

TEST_F(CompositeEditorTest, MacroButtonOpensOnlyTheMacroTabCentred) {
    openEditor(kMacroButton, [&](Keyweave_DlgComposite& dialog) {
        EXPECT_TRUE(dialog.Control(kMacroName)->isVisible());
        for (int id : {kTabKey, kTabMedia, kTabFunction, kClear}) {
            EXPECT_FALSE(dialog.Control(id)->isEnabled()) << id;
        }
        EXPECT_TRUE(dialog.Control(kTabMacro)->isEnabled());
        EXPECT_FALSE(dialog.Capturing());
        const QRect screen = dialog.screen()->availableGeometry();
        EXPECT_EQ(dialog.pos(), QPoint(screen.left() + (screen.width() - dialog.width()) / 2,
                                       screen.top() + (screen.height() - dialog.height()) / 2));
    });
}

TEST_F(CompositeEditorTest, ProfileSwitchIsRefusedWhileTheEditorIsOpen) {
    const int before = profile();
    openEditor(kKeyA, [&](Keyweave_DlgComposite&) { parts->Commands().Command(kProfile2Button); });
    EXPECT_EQ(profile(), before);
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.back(), language.text("PROFILE_SEELCT_PROMPT2"));
}

TEST_F(CompositeEditorTest, LanguageChangeRetextsTheOpenEditor) {
    openEditor(kKeyA, [&](Keyweave_DlgComposite& dialog) {
        window.LanguageChanged(1);
        EXPECT_EQ(static_cast<CPngButton*>(dialog.Control(kCancel))->text(),
                  QString::fromStdString(language.LookupText("MACRO_CANCLE", 1)));
        EXPECT_NE(QString::fromStdString(language.LookupText("MACRO_CANCLE", 1)),
                  QString::fromStdString(language.LookupText("MACRO_CANCLE", 0)));
    });
}

TEST_F(CompositeEditorTest, UnknownProfileSaysSoInsteadOfOpening) {
    link.keyboard.currentProfile = kProfileUnknown;
    bool opened = false;
    parts->KeyEditor().SetWhileOpen([&](Keyweave_DlgComposite& dialog) {
        opened = true;
        dialog.reject();
    });
    click(parts->Keys().button(kKeyA));
    EXPECT_FALSE(opened);
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.back(), language.text("KEY_EDITOR_NO_PROFILE"));
}

// A broken install: a page picture is missing, so the program ends (exit code 0)
// before the editor shows.
TEST(CompositeEditorSkinTest, MissingPagePictureEndsTheProgramBeforeTheEditorShows) {
    testing::application();
    kw::testing::TempDir program;
    std::filesystem::copy(kw::testing::programFolder() / "Skins", program / "Skins");
    std::filesystem::copy_file(kw::testing::programFolder() / "Lang0409.ini",
                               program / "Lang0409.ini");
    std::filesystem::remove(program / "Skins" / "media_over.jpg");
    SettingsStore settings{program / "settings.ini"};
    Language language{program.path(), settings, [] { return std::uint16_t{1033}; }};
    ConfigImage config;
    config.createDefaultBlock();
    ScriptedWindowPrompter prompter;
    RecordingShell shell;
    KeyEditorModel model(config, language, prompter);
    ASSERT_TRUE(model.Start({0, kIndexA, kKeyA, 0}, 0));
    int exits = 0;
    Keyweave_DlgComposite dialog(nullptr, program / "Skins" / "Composite.ini", model,
                                 {language, prompter, shell, settings, program.path(), nullptr},
                                 [&exits] { ++exits; });
    EXPECT_FALSE(dialog.Initialise());
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace kw::gui
