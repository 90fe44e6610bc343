// The main window on the simulated keyboard, with a scripted user, a recorded
// desktop and the generated skin: start-up, connection, removal, language,
// keys and the quit sequence.

#include "core/base/atomic_file.h"
#include "core/base/autostart_entry.h"
#include "core/device/access_help.h"
#include "core/device/commands.h"
#include "core/sync/keyboard_refresh.h"
#include "gui/app/single_instance.h"
#include "gui/mainwnd/keyweave_dlg.h"
#include "gui/mainwnd/simulated_window_test_fixture.h"
#include "sim/keyboard_memory.h"

#include <QComboBox>
#include <QDialog>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <deque>
#include <thread>

namespace kw::gui {
namespace {

using namespace std::chrono_literals;

class KeyweaveDlgTest : public testing::SimulatedWindowTest {
protected:
    void start() {
        window.Initialise();
        QCoreApplication::processEvents();
    }
    bool connected() {
        return waitFor([this] {
            std::lock_guard lock(config.lock);
            return link.devicePresent == 1 && window.TrayIconId() == kIconKeyboardPresent;
        });
    }
    void setFirmware(std::uint16_t version) {
        sim::KeyboardMemory memory = simulated.memory();
        memory.info.setFirmwareVersion(version);
        simulated.setMemory(memory);
    }
    std::string text(const char* key, int index = 0) const {
        return language.LookupText(key, index);
    }
};

TEST_F(KeyweaveDlgTest, FirstConnectionShowsTheWindowWithTheKeyboardsConfiguration) {
    start();
    EXPECT_FALSE(window.isVisible());
    ASSERT_TRUE(connected());
    EXPECT_TRUE(waitFor([this] { return window.isVisible(); }));
    EXPECT_TRUE(window.InitDoneFlag());
    std::lock_guard lock(config.lock);
    EXPECT_NE(config.block, nullptr);
    EXPECT_TRUE(std::filesystem::exists(dir / "data"));
}

TEST_F(KeyweaveDlgTest, StartedHiddenTheWindowStaysHiddenWhenTheKeyboardIsFound) {
    link.firstPresenceHandled = 1;
    start();
    ASSERT_TRUE(connected());
    QThread::msleep(50);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(prompter.messages.empty());
    // Only the tray's Open shows it.
    window.OnTrayCommand(app::kCommandOpen);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(KeyweaveDlgTest, OpeningWithoutAKeyboardTellsSoAndStaysHidden) {
    simulated.unplug();
    link.firstPresenceHandled = 1;
    start();
    window.OnTrayCommand(app::kCommandOpen);
    window.HandleInstanceRequest(app::kOpenRequest);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(prompter.messages, std::vector<std::string>(2, text("MAIN_NO_DEVICE_PROMPT")));
    EXPECT_EQ(window.TrayIconId(), kIconKeyboardAbsent);
}

TEST_F(KeyweaveDlgTest, FirmwareBelowTheLowestIsSentToTheUpdateToolAndTheProgramEnds) {
    struct Case {
        std::uint16_t version;
        bool okAnswer;
        bool prompt;
        bool toolStarted;
    };
    const Case cases[] = {
        {0x0103, true, true, true},
        {0x0103, false, true, false},
        {0x0104, true, false, false},
        {0x0000, true, false, false},
    };
    start();
    ASSERT_TRUE(connected());
    for (const Case& c : cases) {
        prompter.questions.clear();
        shell.started.clear();
        exits.clear();
        prompter.okAnswer = c.okAnswer;
        setFirmware(c.version);
        window.CheckFirmwareVersion();
        SCOPED_TRACE(c.version);
        EXPECT_EQ(prompter.questions.size(), c.prompt ? 1u : 0u);
        if (c.prompt) {
            EXPECT_EQ(prompter.questions[0],
                      std::string(kVersionTooLowCaption) + ": " + kVersionTooLowText);
            EXPECT_EQ(exits, std::vector<int>{0});
        } else {
            EXPECT_TRUE(exits.empty());
        }
        ASSERT_EQ(shell.started.size(), c.toolStarted ? 1u : 0u);
        if (c.toolStarted) {
            EXPECT_TRUE(shell.started[0].endsWith("Help/Orvupd-0104 In the upgrade"))
                << shell.started[0].toStdString();
        }
    }
}

TEST_F(KeyweaveDlgTest, TooOldKeyboardFoundAtConnectionEndsTheProgram) {
    setFirmware(0x0103);
    start();
    EXPECT_TRUE(waitFor([this] { return !exits.empty(); }));
    EXPECT_EQ(exits, std::vector<int>{0});
    EXPECT_EQ(prompter.questions.size(), 1u);
}

TEST_F(KeyweaveDlgTest, RemovalHidesTheWindowClosesEditorsAndShowsTheAbsentIcon) {
    start();
    ASSERT_TRUE(connected());
    ASSERT_TRUE(waitFor([this] { return window.isVisible(); }));
    about.Open();
    QDialog editor(&window);
    editor.open();
    ASSERT_TRUE(editor.isVisible());

    simulated.unplug();
    EXPECT_TRUE(waitFor([this] { return window.TrayIconId() == kIconKeyboardAbsent; }));
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(editor.isVisible());
    EXPECT_FALSE(about.IsOpen());
    EXPECT_EQ(link.keyboard.currentProfile, kProfileUnknown);

    // Plugged again: present again, but the window stays where the user left it.
    simulated.plug();
    EXPECT_TRUE(connected());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(KeyweaveDlgTest, AKeyboardClosedToTheUserIsExplainedOnceWithTheRule) {
    simulated.setAccessDenied(true);
    start();
    ASSERT_TRUE(waitFor([this] { return window.AccessDenied(); }));
    const std::string commands =
        accessRuleCommands(kw::testing::programFolder() / "70-keyweave.rules");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              text("KEYBOARD_ACCESS_DENIED") + "\n\n" + commands + "\n\nsim:hidraw0");
    EXPECT_EQ(prompter.copied, std::vector<std::string>{commands});
    EXPECT_EQ(window.Tray().Tooltip().toStdString(),
              text("KEYBOARD_TRAY_DESC") + "\n" + text("KEYBOARD_ACCESS_TRAY"));

    // Plugged in again and still closed: the tip tells, the message is not repeated.
    simulated.unplug();
    ASSERT_TRUE(waitFor([this] { return !window.AccessDenied(); }));
    simulated.plug();
    ASSERT_TRUE(waitFor([this] { return window.AccessDenied(); }));
    EXPECT_EQ(prompter.messages.size(), 1u);

    // The rule in place: the keyboard connects and the tip is the plain one.
    simulated.setAccessDenied(false);
    ASSERT_TRUE(connected());
    EXPECT_FALSE(window.AccessDenied());
    EXPECT_EQ(window.Tray().Tooltip().toStdString(), text("KEYBOARD_TRAY_DESC"));
}

TEST_F(KeyweaveDlgTest, TheTrayMenuSwitchesStartingWithTheSession) {
    simulated.unplug();
    start();
    const std::filesystem::path entry = dir / "config" / "autostart" / "keyweave.desktop";
    const auto autostartItem = [this] {
        for (QAction* action : window.Tray().PreparedMenu().actions()) {
            if (action->data().toInt() == app::kCommandAutostart) {
                return action;
            }
        }
        return static_cast<QAction*>(nullptr);
    };
    QAction* item = autostartItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text().toStdString(), text("MENU_AUTOSTART"));
    EXPECT_FALSE(item->isChecked());

    item->trigger();
    ASSERT_TRUE(isAutostartEnabled(entry));
    const auto written = readFileBytes(entry);
    ASSERT_TRUE(written);
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    EXPECT_NE(std::string(written->begin(), written->end()).find("\"" + program + "\" /Start"),
              std::string::npos);
    EXPECT_TRUE(autostartItem()->isChecked());

    autostartItem()->trigger();
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_FALSE(autostartItem()->isChecked());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(KeyweaveDlgTest, SecondLanguageRetextsTheWindowAndTheAboutDialog) {
    simulated.unplug();
    start();
    about.Open();
    window.LanguageChanged(1);
    EXPECT_EQ(window.Control(1135)->text().toStdString(), text("PROFILE_1", 1));
    EXPECT_EQ(window.Control(kIdApply)->text().toStdString(), text("PROFILE_APPLY", 1));
    EXPECT_EQ(window.Control(kIdMinimize)->TooltipText().toStdString(),
              text("MAIN_MINIMIZE_PROMPT", 1));
    EXPECT_EQ(about.windowTitle().toStdString(), text("LANG_ABOUT_TITLE", 1));
    EXPECT_NE(text("PROFILE_1", 1), text("PROFILE_1", 0));
}

TEST_F(KeyweaveDlgTest, SkinElementsArePlacedWithTheirTooltipsAndStates) {
    simulated.unplug();
    start();
    EXPECT_EQ(window.Control(kIdHelp)->TooltipText().toStdString(), text("MAIN_HELP_PROMPT"));
    EXPECT_EQ(window.Control(kIdClose)->TooltipText().toStdString(), text("MAIN_CLOSE_PROMPT"));
    EXPECT_EQ(window.Control(kIdWebLink)->TooltipText(), window.LinkAddress());
    EXPECT_FALSE(window.Control(kIdApply)->isEnabled());
    EXPECT_FALSE(window.Control(kIdVersionText)->isEnabled());
    const skin::SkinRect ok = window.Layout().rect("CONTROL_OK");
    EXPECT_EQ(window.Control(kIdOk)->pos(), QPoint(ok.x, ok.y));
    window.Modified().set();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.Control(kIdApply)->isEnabled());
}

TEST_F(KeyweaveDlgTest, PicturesAreDecodedWhenAButtonFirstShowsTheirState) {
    start();
    ASSERT_TRUE(connected());
    ASSERT_TRUE(waitFor([this] { return window.isVisible(); }));
    window.grab();
    const auto decoded = [this](int n) { return window.Images().image(n).IsDecoded(); };
    EXPECT_TRUE(decoded(1));  // normal
    EXPECT_TRUE(decoded(4));  // the selected profile
    EXPECT_FALSE(decoded(2)); // nothing hovered yet
    EXPECT_FALSE(decoded(3)); // nothing pressed yet

    CPngButton* help = window.Control(kIdHelp);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(help, &enter);
    help->grab();
    EXPECT_TRUE(decoded(2));
    EXPECT_EQ(help->LastFace(), CPngButton::Hover);
    EXPECT_FALSE(decoded(3));
}

TEST_F(KeyweaveDlgTest, EnterAndEscapeNeverCloseArrowsOnlyInTheEffectSelectorF1Helps) {
    start();
    ASSERT_TRUE(connected());
    ASSERT_TRUE(waitFor([this] { return window.isVisible(); }));
    auto* effects = new QComboBox(&window);
    auto* other = new QComboBox(&window);
    for (QComboBox* combo : {effects, other}) {
        combo->addItems({"a", "b", "c"});
        combo->show();
    }
    window.RegisterWidget(kIdEffectCombo, effects);

    // Neither closes the window; Enter only presses the button that has the focus.
    QTest::keyClick(window.Control(kIdOk), Qt::Key_Escape);
    QTest::keyClick(other, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Enter);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(effects, Qt::Key_Down);
    EXPECT_EQ(effects->currentIndex(), 0);
    QTest::keyClick(other, Qt::Key_Down);
    EXPECT_EQ(other->currentIndex(), 1);
    // F1 anywhere in the window opens the help page.
    QTest::keyClick(other, Qt::Key_F1);
    ASSERT_EQ(shell.urls.size(), 1u);
    EXPECT_TRUE(shell.urls[0].toLocalFile().endsWith("Help/index.html"));

    // The window's own dialogs (a file chooser, say) keep Enter and Escape.
    QDialog child(&window);
    child.show();
    QSignalSpy rejected(&child, &QDialog::rejected);
    QTest::keyClick(&child, Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);
}

TEST_F(KeyweaveDlgTest, CancelAndCloseOnlyHide) {
    start();
    ASSERT_TRUE(connected());
    ASSERT_TRUE(waitFor([this] { return window.isVisible(); }));
    window.Control(kIdCancel)->click();
    EXPECT_FALSE(window.isVisible());
    window.ShowMainWindow();
    EXPECT_TRUE(window.close() == false || !window.isVisible());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.HasQuit());
}

TEST_F(KeyweaveDlgTest, CompanionRequestsApplyAndRedrawTheGKeys) {
    start();
    ASSERT_TRUE(connected());
    int redraws = 0;
    window.Sync().refreshKeyButtons = [&redraws] { ++redraws; };
    window.HandleInstanceRequest(app::kGKeyRefreshRequest);
    EXPECT_EQ(redraws, 1);

    window.Modified().set();
    simulated.clearLog();
    window.HandleInstanceRequest(app::kApplyRequest);
    EXPECT_FALSE(window.Modified().isSet());
    EXPECT_FALSE(simulated.log().empty());
    // Unknown requests are ignored.
    window.HandleInstanceRequest("NOPE");
    EXPECT_FALSE(window.HasQuit());
}

// Another program changed the keyboard: the window reads it again, unless the
// user keeps their unapplied edits when asked.
TEST_F(KeyweaveDlgTest, ChangedKeyboardIsReadAgainOrTheUserIsAsked) {
    struct Case {
        const char* name;
        bool edited;
        bool answer;
        bool asked;
        bool readAgain;
    };
    const Case cases[] = {
        {"no edits: read at once", false, false, false, true},
        {"edits kept", true, false, true, false},
        {"edits discarded", true, true, true, true},
    };
    start();
    ASSERT_TRUE(connected());
    ASSERT_TRUE(waitFor([this] { return profile() >= 0; }));
    for (const Case& c : cases) {
        prompter.questions.clear();
        prompter.yes = c.answer;
        if (c.edited) {
            window.Modified().set();
        }
        simulated.clearLog();
        window.HandleInstanceRequest(app::kChangedRequest);
        bool keyTablesRead = false;
        for (const auto& entry : simulated.log()) {
            keyTablesRead = keyTablesRead || (entry.fromHost && entry.bytes.size() > 3 &&
                                              entry.bytes[3] == kCmdReadKeyMatrix);
        }
        EXPECT_EQ(prompter.questions.size(), c.asked ? 1u : 0u) << c.name;
        EXPECT_EQ(keyTablesRead, c.readAgain) << c.name;
        EXPECT_EQ(window.Modified().isSet(), c.edited && !c.answer) << c.name;
        window.Modified().clear();
    }
    // Without a keyboard the next connection reads it anyway.
    simulated.unplug();
    ASSERT_TRUE(waitFor([this] { return link.devicePresent == 0; }));
    window.Modified().set();
    prompter.questions.clear();
    window.HandleInstanceRequest(app::kChangedRequest);
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_TRUE(window.Modified().isSet());
}

// A keyboard away for a while (the computer suspended, a re-plug) and back:
// with the window shown, hidden, or in the middle of its connection
// sequence. It ends connected, with the image the keyboard holds, and with
// at most one message.
TEST_F(KeyweaveDlgTest, KeyboardAwayForAWhileComesBackToTheSameImage) {
    enum class When { Shown, Hidden, Connecting };
    struct Case {
        const char* name;
        When when;
        int leavesAfterCommands; // connecting: the command after which it goes
    };
    const Case cases[] = {
        {"shown", When::Shown, 0},
        {"hidden", When::Hidden, 0},
        {"connecting, at the first report", When::Connecting, 1},
        {"connecting, in the factory table", When::Connecting, 4},
        {"connecting, in the refresh", When::Connecting, 14},
    };
    // The keyboard holds a configuration of its own, which must survive.
    sim::KeyboardMemory memory = simulated.memory();
    memory.keyTables[0][0] = 0x05;
    memory.keyTables[0][1] = 0x02;
    memory.keyTables[0][2] = 0x00;
    simulated.setMemory(memory);
    const auto keyboardBefore = sim::serializeMemory(simulated.memory());

    bool started = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.messages.clear();
        if (c.when == When::Connecting) {
            simulated.unplug();
            ASSERT_TRUE(waitFor([this] { return link.devicePresent == 0; }));
            simulated.plug();
            simulated.unplugAfterCommands(c.leavesAfterCommands);
        }
        if (!started) {
            start();
            started = true;
        }
        if (c.when != When::Connecting) {
            ASSERT_TRUE(connected());
            if (c.when == When::Hidden) {
                window.hide();
            } else {
                window.ShowMainWindow();
            }
            simulated.unplug();
        }
        ASSERT_TRUE(waitFor([this] { return !simulated.plugged() && link.devicePresent == 0; }));
        // Away for a while, with the window's events running as they would.
        const auto back = std::chrono::steady_clock::now() + 1s;
        waitFor([back] { return std::chrono::steady_clock::now() > back; });
        simulated.plug();
        ASSERT_TRUE(connected()) << "present " << link.devicePresent << ", open "
                                 << link.interfaceOpen << ", icon " << window.TrayIconId()
                                 << ", plugged " << simulated.plugged();
        ASSERT_TRUE(waitFor([this] { return profile() >= 0; }));

        EXPECT_LE(prompter.messages.size(), 1u);
        EXPECT_EQ(sim::serializeMemory(simulated.memory()), keyboardBefore)
            << "nothing was written to the keyboard";
        // What the window shows is what a fresh read of the keyboard gives.
        const auto fresh = dir / "fresh.cfg";
        ASSERT_EQ(ReadConfigurationFromKeyboard(window.Sync(), fresh), 1);
        EXPECT_EQ(readFileBytes(fresh, 1 << 20),
                  readFileBytes(window.Sync().configFile(), 1 << 20));
    }
}

TEST_F(KeyweaveDlgTest, TimersDriveThePreviewAndTheBusyPicture) {
    simulated.unplug();
    std::vector<bool> steps;
    window.Hooks().previewStep = [&steps](bool reset) { steps.push_back(reset); };
    start();
    EXPECT_TRUE(waitFor([&steps] { return steps.size() >= 3; }));
    EXPECT_TRUE(steps[0]);
    EXPECT_FALSE(steps[1]);
    EXPECT_FALSE(steps[2]);

    QWidget* busy = window.Widget(kIdBusyPicture);
    ASSERT_NE(busy, nullptr);
    std::thread([this] { window.StartBusyAnimation(); }).join();
    EXPECT_TRUE(waitFor([busy] { return busy->isVisibleTo(busy->parentWidget()); }));
    window.StopBusyAnimation();
    EXPECT_FALSE(busy->isVisibleTo(busy->parentWidget()));
}

TEST_F(KeyweaveDlgTest, QuitSequenceJoinsTheDeviceThreadsAndReleasesTheImages) {
    start();
    ASSERT_TRUE(connected());
    about.Open();
    QSignalSpy ended(&window, &CKeyweaveDlg::Ended);
    window.HandleInstanceRequest(app::kKillRequest);
    EXPECT_EQ(ended.size(), 1);
    EXPECT_TRUE(released);
    EXPECT_FALSE(about.IsOpen());
    EXPECT_EQ(window.TrayIconId(), 0);
    {
        std::lock_guard lock(config.lock);
        EXPECT_EQ(config.block, nullptr);
        EXPECT_TRUE(config.macros.empty());
    }
    {
        std::lock_guard lock(deviceImage.lock);
        EXPECT_EQ(deviceImage.block, nullptr);
    }
    // Nobody talks to the keyboard any more, whatever happens to it.
    simulated.clearLog();
    simulated.unplug();
    simulated.plug();
    QThread::msleep(100);
    QCoreApplication::processEvents();
    EXPECT_TRUE(simulated.log().empty());
    // Later requests find a program that has ended.
    window.HandleInstanceRequest(app::kOpenRequest);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ended.size(), 1);
}

} // namespace
} // namespace kw::gui
