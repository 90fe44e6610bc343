#pragma once
// The real main window on the in-process simulated keyboard, with a scripted
// user, a desktop that records what it is asked to open and the generated
// skin: what the window's own tests and the editors' tests start from.

#include "core/base/settings_store.h"
#include "gui/app/qt_prompter.h"
#include "gui/app/shell_actions.h"
#include "gui/mainwnd/keyweave_dlg.h"
#include "gui/mainwnd/main_window_parts.h"
#include "gui/skin/test_application.h"
#include "sim/simulated_hid_backend.h"
#include "sim/simulated_keyboard.h"
#include "testsupport/temp_dir.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace kw::gui::testing {

class ScriptedWindowPrompter : public app::QtPrompter {
public:
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        return yes;
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showMessageWithCopy(const std::string& text, const std::string& copyText,
                             const std::string&) override {
        messages.push_back(text);
        copied.push_back(copyText);
    }
    bool askOkCancel(const std::string& text, const std::string& caption) override {
        questions.push_back(caption + ": " + text);
        return okAnswer;
    }
    bool yes = false;      // the answer to every Yes/No question
    bool okAnswer = false; // and to every OK/Cancel one
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<std::string> copied; // what each message's copy button offers
};

class RecordingShell : public app::ShellActions {
public:
    void openUrl(const QUrl& url) override { urls.push_back(url); }
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString&) override {
        started.push_back(program + " " + arguments.join(' '));
        return startResult;
    }
    bool startResult = true; // false: the program could not be started
    std::vector<QUrl> urls;
    std::vector<QString> started;
};

class SimulatedWindowTest : public WidgetTest {
protected:
    SimulatedWindowTest() : savedConfigHome_(qgetenv("XDG_CONFIG_HOME")) {
        // The window's parts keep their choices in the user's settings store:
        // each test gets a store of its own.
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir / "config").string()));
    }
    ~SimulatedWindowTest() override { qputenv("XDG_CONFIG_HOME", savedConfigHome_); }

    // Processes the window's events until `done` or three seconds passed.
    template <typename Predicate>
    bool waitFor(Predicate done) {
        using namespace std::chrono_literals;
        const auto deadline = std::chrono::steady_clock::now() + 3s;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
        }
        return true;
    }

    QByteArray savedConfigHome_;
    kw::testing::TempDir dir;
    SettingsStore settings{dir / "settings.ini"};
    Language language{kw::testing::programFolder(), settings, [] { return std::uint16_t{1033}; }};
    sim::SimulatedKeyboard simulated;
    sim::SimulatedHidBackend backend{simulated};
    DeviceLinkState link;
    ConfigImage config;
    DeviceImage deviceImage;
    ScriptedWindowPrompter prompter;
    RecordingShell shell;
    app::CAboutDlg about{language, shell, dir / "Help", "https://keyweave.example.org/"};
    std::vector<int> exits;
    bool released = false;
    MainWindowContext context{kw::testing::programFolder(),
                              dir / "data",
                              language,
                              link,
                              backend,
                              config,
                              deviceImage,
                              prompter,
                              shell,
                              about,
                              {std::chrono::milliseconds(1), std::chrono::milliseconds(10),
                               std::chrono::milliseconds(20)},
                              std::chrono::milliseconds(20),
                              [this](int code) { exits.push_back(code); },
                              [this] { released = true; },
                              nullptr};
    CKeyweaveDlg window{context};
    // The drawn keyboard, the commands and the dialogs, once attached.
    std::unique_ptr<CMainWindowParts> parts;

    // What the program does at start: the window's start-up, its parts, and
    // the wait for the keyboard to say which profile is active.
    void startWithParts() {
        window.Initialise();
        parts = std::make_unique<CMainWindowParts>(window);
        EXPECT_TRUE(waitFor([this] {
            return window.InitDoneFlag() && link.keyboard.currentProfile.load() >= 0;
        })) << "connected: "
            << link.devicePresent;
    }
    int profile() const { return link.keyboard.currentProfile.load(); }
};

} // namespace kw::gui::testing
