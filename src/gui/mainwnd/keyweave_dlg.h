#pragma once
// The main window: the skinned keyboard window that lives hidden behind the
// tray icon, starts the device threads, carries the window's requests from
// them, other instances and companions, runs its timers and quits the program.
//
// Other components attach after Initialise has placed the skin: the drawn
// keyboard and the window's commands find their buttons with Control(id) and
// the pictures with Images(), work on Sync(), and hang their refresh work on
// Hooks().

#include "core/base/settings_store.h"
#include "core/config/config_image.h"
#include "core/device/device_link_state.h"
#include "core/device/event_listener.h"
#include "core/device/hid_backend.h"
#include "core/device/hid_device.h"
#include "core/device/presence_watcher.h"
#include "core/device/transport.h"
#include "core/skin/language.h"
#include "core/sync/edit_history.h"
#include "core/sync/modified_flag.h"
#include "core/sync/sync_context.h"
#include "gui/app/about_dlg.h"
#include "gui/app/qt_prompter.h"
#include "gui/app/shell_actions.h"
#include "gui/app/tray_icon.h"
#include "gui/mainwnd/session_lock_record.h"
#include "gui/mainwnd/view_images.h"
#include "gui/mainwnd/window_bridge.h"
#include "gui/skin/base_dialog.h"
#include "gui/skin/placement.h"
#include "gui/skin/png_button.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string_view>

namespace kw::gui {

// Ids of the window's controls and timers.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdProfiles = 1005;
inline constexpr int kIdApply = 1006;
inline constexpr int kIdMacro = 1007;
inline constexpr int kIdWebLink = 1121;
inline constexpr int kIdHelp = 1122;
inline constexpr int kIdMinimize = 1123;
inline constexpr int kIdClose = 1124;
inline constexpr int kIdVersionText = 1134;
inline constexpr int kIdMenu = 1139;
inline constexpr int kIdEffectCombo = 1146;
inline constexpr int kIdReportRate1 = 1147;
inline constexpr int kIdBusyPicture = 1177;
inline constexpr int kIdReportRateCaption = 1204;
inline constexpr int kPreviewTimer = 1052;

// The lowest firmware the window works with; older keyboards go to the update tool.
inline constexpr std::uint16_t kLowestFirmware = 0x0104;
inline constexpr char kVersionTooLowText[] =
    "The current version is too low! Please update the program after upgrading.";
inline constexpr char kVersionTooLowCaption[] = "Version update";

// Everything the window works with that outlives it or that tests replace.
struct MainWindowContext {
    std::filesystem::path programFolder;
    std::filesystem::path dataHome;
    Language& language;
    DeviceLinkState& link;
    HidBackend& backend;
    ConfigImage& config;
    DeviceImage& deviceImage;
    app::QtPrompter& prompter;
    app::ShellActions& shell;
    app::CAboutDlg& about;
    PresenceTimings presenceTimings{};
    std::chrono::milliseconds eventScanInterval{1000};
    // Ends the process at once (fatal start-up conditions, too old firmware).
    std::function<void(int code)> exitProcess;
    // Gives the single-instance lock up (quit sequence).
    std::function<void()> releaseInstance;
    // Gives the window's keyboard lock its file across processes (see
    // KeyboardLock); empty keeps it inside this process (tests).
    std::function<void(KeyboardLock& lock, const HidDevice& device)> attachKeyboardLock;
};

// Work other components hang on the window's refreshes; each may be empty.
struct MainWindowHooks {
    std::function<void()> placeKeyButtons;       // during Initialise, before the skin table
    std::function<void()> afterRefresh;          // profile marks, per-key colours, lighting
    std::function<void()> lightingRefresh;       // timer 1051
    std::function<void(bool reset)> previewStep; // timer 1052
    // Whether the preview shows now (the window is up and the lighting view
    // on); empty: always. While not, timer 1052 does not run at all.
    std::function<bool()> previewWanted;
    std::function<void(int index)> languageChanged;
    // Escape never closes the window; it leaves the lighting view's key painting.
    std::function<void()> escapePressed;
};

class CKeyweaveDlg : public CBaseDialog {
    Q_OBJECT
public:
    explicit CKeyweaveDlg(MainWindowContext& context);
    ~CKeyweaveDlg() override;

    // The window's start-up: skin, pictures, placements, device threads, tray
    // icon, texts and timers. The window stays hidden.
    void Initialise();
    // Exit, Close, KILL: closes everything, joins the device threads, releases
    // the images and emits Ended.
    void QuitSequence();
    bool HasQuit() const { return quit_; }

    // Requests of the device threads, other instances and companions.
    void ShowMainWindow();
    void CheckFirmwareVersion();
    void RefreshProfiles();
    void CloseEditors();
    void ShowText(std::string_view key);
    void ArmLightingRefresh();
    void HandleInstanceRequest(const QByteArray& request);
    void LanguageChanged(int languageIndex);
    void OnTrayCommand(int command);
    void OpenAbout();
    // The keyboard is there but closed to us (empty path: no longer). Said
    // once, with the commands that open it; the tray tip tells while it lasts.
    void OnAccessDenied(const std::string& deniedPath);
    bool AccessDenied() const { return accessDenied_; }

    // Tray icon, from the device threads through the bridge.
    void SetTrayIcon(int iconId);
    void SetPresenceIcon(int iconId);
    void SetEventIcon();
    void RestorePresenceIcon();
    int TrayIconId() const { return trayIconId_; }

    // Timer 1052 runs again when the preview is wanted (the window shown,
    // the lighting view switched on).
    void WakePreview();

    // Timer 1050: the busy animation while an apply runs; callable from any thread.
    void StartBusyAnimation();
    void StopBusyAnimation();

    // For the components that attach to the window.
    CPngButton* Control(int id) const;
    QWidget* Widget(int id) const;
    void RegisterWidget(int id, QWidget* widget);
    const ViewImages& Images() const { return images_; }
    SyncContext& Sync() { return sync_; }
    ModifiedFlag& Modified() { return modified_; }
    EditHistory& History() { return history_; }
    Transport& DeviceTransport() { return transport_; }
    MainWindowHooks& Hooks() { return hooks_; }
    app::CTrayIcon& Tray() { return tray_; }
    const QString& LinkAddress() const { return link_; }
    bool InitDoneFlag() const { return initDone_; }
    MainWindowContext& Context() { return context_; }
    // Screen locks and seat switches of the user's own session.
    void OnSessionChange(SessionEvent event) { session_.handle(event); }
    const SessionLockRecord& Session() const { return session_; }

signals:
    // The quit sequence has finished; the program ends.
    void Ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void reject() override;

private slots:
    void onSessionLock() { OnSessionChange(SessionEvent::Lock); }
    void onSessionUnlock() { OnSessionChange(SessionEvent::Unlock); }
    void onSessionProperties(const QString& interfaceName, const QVariantMap& changed,
                             const QStringList& invalidated);

private:
    void registerSessionNotifications();
    void OnInitDone();
    void placeSkinElements();
    CPngButton* placeButton(std::string_view key, int id, const FaceSet& faces);
    void OnOK();
    // The help page and the update tool live there.
    std::filesystem::path helpFolder() const;
    void runPreviewTimer();
    bool previewWanted() const;
    void showBusyFrame();
    // keyweave_dlg_tray.cpp: the tray menu's texts and check mark, its tip.
    void prepareTrayMenu(QMenu& menu);
    void updateTrayTooltip();
    void toggleAutostart();

    MainWindowContext& context_;
    MainWindowHooks hooks_;
    HidDevice device_;
    Transport transport_;
    ModifiedFlag modified_;
    EditHistory history_;
    SyncContext sync_;
    MainWindowBridge bridge_;
    std::unique_ptr<EventListener> listener_;
    std::unique_ptr<PresenceWatcher> watcher_;
    app::CTrayIcon tray_;
    ViewImages images_;
    std::map<int, QWidget*> controls_;
    QString link_;
    QLabel* busyPicture_ = nullptr;
    std::array<QPixmap, 10> busyFrames_;
    int busyFrame_ = 0;
    QTimer busyTimer_;
    QTimer previewTimer_;
    bool previewReset_ = true;
    int trayIconId_ = 0;
    int lastPresenceIconId_ = kIconKeyboardAbsent;
    bool initDone_ = false;
    bool shownOnRequest_ = false;
    bool accessDenied_ = false;
    bool accessMessageShown_ = false;
    bool quit_ = false;
    SessionLockRecord session_;
};

} // namespace kw::gui
