#include "gui/app/keyweave_app.h"

#include "core/base/program_files.h"
#include "core/base/settings_store.h"
#include "core/config/config_image.h"
#include "core/config/data_folder.h"
#include "core/device/device_link_state.h"
#include "core/skin/language.h"
#include "core/skin/skin_keys.h"
#include "gui/app/about_dlg.h"
#include "gui/app/qt_prompter.h"
#include "gui/app/resident_memory.h"
#include "gui/app/shell_actions.h"
#include "gui/app/single_instance.h"
#include "gui/app/startup_trace.h"
#include "gui/mainwnd/keyweave_dlg.h"
#include "gui/mainwnd/main_window_parts.h"
#include "sim/keyboard_backend.h"

#include <QAbstractButton>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace kw::app {

namespace {

constexpr char kDaemonName[] = "keyweave-keyd";
// A first instance that is still starting needs a moment before it answers;
// a hung one is given up on after a few seconds.
constexpr std::chrono::seconds kDeliverDeadline{5};
constexpr int kSendTimeoutMs = 1000;
constexpr unsigned long kSendRetryMs = 100;
constexpr std::chrono::seconds kScreenshotDeadline{20};

void exitProcessNow(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

bool deliver(const QString& folder, const QByteArray& request) {
    const auto deadline = std::chrono::steady_clock::now() + kDeliverDeadline;
    while (!SingleInstance::send(folder, request, kSendTimeoutMs)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        QThread::msleep(kSendRetryMs);
    }
    return true;
}

// Waits until the keyboard is connected and the window shows it, then writes
// the window as a PNG and/or prints the start-up figures, and quits.
void finishWhenReady(gui::CKeyweaveDlg& window, DeviceLinkState& link, const CommandLine& line,
                     int& exitCode) {
    auto* poll = new QTimer(&window);
    const auto deadline = std::chrono::steady_clock::now() + kScreenshotDeadline;
    QObject::connect(
        poll, &QTimer::timeout, &window, [&window, &link, &line, &exitCode, poll, deadline] {
            // Started with "/Start" the window stays in the tray; open it as the tray would.
            if (link.devicePresent == 1 && window.InitDoneFlag() && !window.isVisible()) {
                window.ShowMainWindow();
            }
            const bool ready =
                link.devicePresent == 1 && window.isVisible() && window.InitDoneFlag();
            if (ready) {
                StartupMark("connected and shown");
            }
            if (!ready && std::chrono::steady_clock::now() < deadline) {
                return;
            }
            poll->stop();
            if (!ready) {
                std::fprintf(stderr, "keyweave: the keyboard did not connect in time\n");
                exitCode = 1;
            } else {
                // Grabbing paints every control once, as the screen would.
                const QPixmap shot = window.grab();
                StartupMark("painted");
                if (line.screenshot && !shot.save(qtPath(*line.screenshot), "PNG")) {
                    std::fprintf(stderr, "keyweave: cannot write %s\n",
                                 line.screenshot->string().c_str());
                    exitCode = 1;
                }
                if (line.measureStartup) {
                    std::printf(
                        "buttons=%lld rss_kib=%ld peak_kib=%ld\n",
                        static_cast<long long>(window.findChildren<QAbstractButton*>().size()),
                        residentMemoryKib(), peakResidentMemoryKib());
                    std::fflush(stdout);
                }
            }
            window.hide();
            window.QuitSequence();
        });
    poll->start(5);
}

} // namespace

AppPaths AppPaths::fromFolders(const std::filesystem::path& executableFolder,
                               const std::filesystem::path& folder) {
    AppPaths paths;
    paths.programFolder = folder;
    paths.helpFolder = folder / "Help";
    paths.mainSkinFile =
        folder / std::string(skin::kSkinsFolder) / std::string(skin::kMainSkinFile);
    // A program, so it stays beside the executable when installed.
    paths.daemonPath = executableFolder / kDaemonName;
    return paths;
}

CKeyweaveApp::CKeyweaveApp(QApplication& application) : application_(application) {}

bool CKeyweaveApp::settleInstance(const CommandLine& line, SingleInstance& instance,
                                  std::atomic<int>& firstPresenceHandled) {
    const QString folder = SingleInstance::defaultFolder();
    firstPresenceHandled = 0;
    for (const InstanceSwitch s : line.switches) {
        if (s == InstanceSwitch::Kill) {
            // Whether or not an instance ran, "/Kill" never starts one.
            if (!instance.acquire()) {
                deliver(folder, kKillRequest);
            }
            return true;
        }
        firstPresenceHandled = 1;
    }
    if (instance.acquire()) {
        return false;
    }
    if (!deliver(folder, kOpenRequest)) {
        std::fprintf(stderr, "keyweave: another instance holds %s but does not answer\n",
                     folder.toLocal8Bit().constData());
    }
    return true;
}

int CKeyweaveApp::InitInstance() {
    application_.setQuitOnLastWindowClosed(false);
    const std::filesystem::path executableFolder =
        QCoreApplication::applicationDirPath().toStdString();
    const ProgramFilesSearch programFiles = findProgramFiles(executableFolder);
    if (!programFiles.folder) {
        // Without its skin the program cannot draw a window: the designed
        // silent end, with one line for whoever started it by hand.
        std::fprintf(stderr, "keyweave: no program files (skin, language files) in %s\n",
                     searchedFoldersText(programFiles).c_str());
        return 0;
    }
    const AppPaths paths = AppPaths::fromFolders(executableFolder, *programFiles.folder);
    std::vector<std::string> args;
    for (const QString& arg : QCoreApplication::arguments().mid(1)) {
        args.push_back(arg.toStdString());
    }
    const CommandLine line = parseCommandLine(args);
    if (!line.error.empty()) {
        std::fprintf(stderr,
                     "keyweave: %s\nusage: keyweave [--simulate[=STATEFILE] | --hid-root "
                     "DIR] [--screenshot FILE] [--measure-startup] [/Start] [/Kill]\n",
                     line.error.c_str());
        return 2;
    }

    SettingsStore settings(SettingsStore::defaultPath());
    Language language(paths.programFolder, settings);
    // The two configuration images with their locks outlive the window.
    ConfigImage config;
    DeviceImage deviceImage;
    DeviceLinkState link;

    SingleInstance instance(SingleInstance::defaultFolder());
    ShellActions shell;
    // A screenshot or measuring run is a tool of its own: it neither waits for nor
    // disturbs the user's running instance.
    if (!line.screenshot && !line.measureStartup) {
        if (settleInstance(line, instance, link.firstPresenceHandled)) {
            return 0;
        }
        StartKeyDaemon(shell, paths.daemonPath);
    }

    sim::KeyboardBackend keyboard = sim::chooseKeyboardBackend(line.keyboard);
    if (keyboard.stateLoadFailed) {
        std::fprintf(stderr, "keyweave: %s is not a simulated keyboard state file\n",
                     line.keyboard.simulateState->string().c_str());
        return 2;
    }

    QtPrompter prompter;
    CAboutDlg about(language, shell, paths.helpFolder,
                    QString::fromStdString(skin::SkinLayout::load(paths.mainSkinFile).link()));
    gui::MainWindowContext context{paths.programFolder,
                                   defaultDataHome(),
                                   language,
                                   link,
                                   *keyboard.backend,
                                   config,
                                   deviceImage,
                                   prompter,
                                   shell,
                                   about,
                                   {},
                                   std::chrono::milliseconds(1000),
                                   &exitProcessNow,
                                   [&instance] { instance.release(); },
                                   [&line](KeyboardLock& lock, const HidDevice& device) {
                                       sim::attachKeyboardLock(lock, line.keyboard,
                                                               [&device] { return device.path(); });
                                   }};
    int exitCode = 0;
    {
        gui::CKeyweaveDlg window(context);
        QObject::connect(&instance, &SingleInstance::requestReceived, &window,
                         &gui::CKeyweaveDlg::HandleInstanceRequest);
        QObject::connect(&window, &gui::CKeyweaveDlg::Ended, &application_, &QApplication::quit,
                         Qt::QueuedConnection);
        StartupMark("window created");
        window.Initialise();
        StartupMark("window initialised");
        gui::CMainWindowParts parts(window);
        StartupMark("parts attached");
        if (line.screenshot || line.measureStartup) {
            finishWhenReady(window, link, line, exitCode);
        }
        application_.exec();
        about.CloseFromOutside();
    }
    if (!sim::saveKeyboardState(keyboard, line.keyboard)) {
        std::fprintf(stderr, "keyweave: cannot write %s\n",
                     line.keyboard.simulateState->string().c_str());
    }
    return exitCode;
}

} // namespace kw::app
