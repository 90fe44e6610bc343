// The main window and the key editor as assistive technology and a user
// without a mouse meet them: every control named in both languages, names
// that follow a key's function, and a whole edit done with keys alone.

#include "core/lighting/lighting_presenter.h"
#include "gui/keyeditor/composite_editor_test_fixture.h"
#include "gui/lighting/lighting_group.h"
#include "gui/lighting/lighting_panel.h"

#include <QAccessible>
#include <QStringList>

namespace kw::gui {
namespace {

using namespace testing;

// The controls a screen reader lets a user act on.
bool actsOn(QAccessible::Role role) {
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::Slider:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
        return true;
    default:
        return false;
    }
}

// Every shown control of the tree under `root` that has no name, one per line.
std::string unnamedControls(QWidget& root) {
    QStringList unnamed;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface* child = node->child(i);
            if (!child || child->state().invisible) {
                continue;
            }
            if (actsOn(child->role()) && child->text(QAccessible::Name).trimmed().isEmpty()) {
                const QObject* object = child->object();
                const QRect r = child->rect();
                unnamed << QStringLiteral("%1 '%2' (id %3) at %4,%5")
                               .arg(object ? object->metaObject()->className() : "?",
                                    object ? object->objectName() : QString(),
                                    object ? object->property("controlId").toString() : QString())
                               .arg(r.x())
                               .arg(r.y());
            }
            walk(child);
        }
    };
    walk(QAccessible::queryAccessibleInterface(&root));
    return unnamed.join('\n').toStdString();
}

QString accessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

class AccessibilityTest : public CompositeEditorTest {
protected:
    AccessibilityTest() {
        window.show();
        EXPECT_TRUE(waitFor([this] { return window.isVisible(); }));
    }
};

TEST_F(AccessibilityTest, EveryControlOfTheWindowAndTheEditorHasANameInBothLanguages) {
    for (int languageIndex : {0, 1}) {
        window.LanguageChanged(languageIndex);
        EXPECT_EQ(unnamedControls(window), "") << "language " << languageIndex;
        // With the lighting view on, its painting tools and swatches show as well.
        parts->Lighting().Presenter().ToggleLightingView();
        EXPECT_EQ(unnamedControls(window), "") << "lighting, " << languageIndex;
        parts->Lighting().Presenter().ToggleLightingView();
        openEditor(kKeyA, [&](Keyweave_DlgComposite& dialog) {
            EXPECT_FALSE(dialog.windowTitle().isEmpty());
            EXPECT_EQ(unnamedControls(dialog), "") << "editor, " << languageIndex;
            click(dialog.Control(kTabMacro));
            EXPECT_EQ(unnamedControls(dialog), "") << "macros, " << languageIndex;
        });
    }
}

TEST_F(AccessibilityTest, KeyNamesFollowTheirFunctionAndTogglesTheirState) {
    QWidget* keyA = parts->Keys().button(kKeyA);
    const QString before = accessibleName(keyA);
    openEditor(kKeyA, [&](Keyweave_DlgComposite& dialog) {
        tap(dialog, evdev::KEY_B);
        click(dialog.Control(kOk));
    });
    const QString after = accessibleName(keyA);
    EXPECT_NE(after, before);
    EXPECT_EQ(after, parts->Keys().button(kKeyA)->TooltipText());

    // The profile buttons are a choice of one: the active profile's reads as checked.
    for (int id : {kProfile2Button - 1, kProfile2Button, kProfile2Button + 1}) {
        CPngButton* button = parts->Commands().button(id);
        const QAccessible::State state = QAccessible::queryAccessibleInterface(button)->state();
        EXPECT_TRUE(state.checkable) << id;
        EXPECT_EQ(state.checked, id == kProfile2Button - 1 + profile()) << id;
    }
}

TEST_F(AccessibilityTest, SlidersAndColourButtonsSayTheirValue) {
    parts->Lighting().Presenter().SelectEffectRow(0);
    QAccessibleInterface* slider =
        QAccessible::queryAccessibleInterface(parts->Lighting().Panel().control(kBrightnessSlider));
    ASSERT_NE(slider->valueInterface(), nullptr);
    EXPECT_EQ(slider->valueInterface()->currentValue().toInt(),
              parts->Lighting().Presenter().controls().brightnessPosition);
    EXPECT_EQ(slider->role(), QAccessible::Slider);

    parts->Lighting().Presenter().ColourChosen(0x0000FF); // red in the packed form
    const QString colour = accessibleName(parts->Lighting().Panel().control(kGeneralColourButton));
    EXPECT_TRUE(colour.contains(QStringLiteral("#FF0000"))) << colour.toStdString();
    EXPECT_TRUE(colour.contains(QString::fromStdString(language.text("COLOUR_RED"))))
        << colour.toStdString();
}

// Sends a key press and release to whatever has the focus now.
void press(int key) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, static_cast<Qt::Key>(key));
}

TEST_F(AccessibilityTest, KeysAloneReachKeyAAssignBAndApply) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    CKeyboardView& keys = parts->Keys();
    // Tab goes region by region from the top left; the drawn keyboard is one stop.
    std::vector<QWidget*> visited;
    for (int i = 0; i < 60 && QApplication::focusWidget() != keys.FocusKey(); ++i) {
        visited.push_back(QApplication::focusWidget());
        press(Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), keys.FocusKey());
    // The title bar's profile buttons come left to right, before the keyboard.
    const auto visit = [&](int id) {
        return std::find(visited.begin(), visited.end(), parts->Commands().button(id));
    };
    EXPECT_LT(visit(kProfile2Button - 1), visit(kProfile2Button));
    EXPECT_LT(visit(kProfile2Button), visit(kProfile2Button + 1));
    EXPECT_NE(visit(kProfile2Button + 1), visited.end());
    for (QWidget* before : visited) {
        EXPECT_LT(before->geometry().bottom(), keys.FocusKey()->geometry().top())
            << before->objectName().toStdString() << " comes before the keyboard";
    }
    // Arrows walk the drawn keys by where they stand.
    QWidget* target = keys.button(kKeyA);
    for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i) {
        const QRect at = QApplication::focusWidget()->geometry();
        const QRect goal = target->geometry();
        const int dy = goal.center().y() - at.center().y();
        press(dy > at.height() / 2                  ? Qt::Key_Down
              : dy < -at.height() / 2               ? Qt::Key_Up
              : goal.center().x() < at.center().x() ? Qt::Key_Left
                                                    : Qt::Key_Right);
    }
    ASSERT_EQ(QApplication::focusWidget(), target);

    bool edited = false;
    parts->KeyEditor().SetWhileOpen([&](Keyweave_DlgComposite& dialog) {
        // The Enter that opened the editor is not taken as the key's new function.
        EXPECT_TRUE(static_cast<QLineEdit*>(dialog.Control(kKeyInput))->text().isEmpty());
        EXPECT_TRUE(dialog.Capturing());
        tap(dialog, evdev::KEY_B);
        // B is taken; the capture lets go and OK has the focus.
        EXPECT_FALSE(dialog.Capturing());
        ASSERT_EQ(dialog.focusWidget(), dialog.Control(kOk));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
        edited = !dialog.isVisible();
        if (dialog.isVisible()) {
            dialog.reject();
        }
    });
    press(Qt::Key_Return);
    ASSERT_TRUE(edited);
    EXPECT_EQ(entry(kIndexA, profile()).value, kCodeB);

    QWidget* apply = window.Control(kIdApply);
    ASSERT_TRUE(apply->isEnabled());
    for (int i = 0; i < 60 && QApplication::focusWidget() != apply; ++i) {
        press(Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), apply);
    press(Qt::Key_Return);
    EXPECT_TRUE(waitFor([&] { return keyboardEntry(kIndexA).type == KeyEntryType::KeySingle; }));
    EXPECT_EQ(keyboardEntry(kIndexA).value, kCodeB);
}

TEST_F(AccessibilityTest, EscapeLeavesTheLightingViewsKeyPainting) {
    LightingPresenter& lighting = parts->Lighting().Presenter();
    lighting.ToggleLightingView();
    ASSERT_TRUE(lighting.controls().lightingView);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(lighting.controls().lightingView);
    EXPECT_TRUE(window.isVisible()); // Escape never closes the window
}

} // namespace
} // namespace kw::gui
