#pragma once
// The main window's buttons and menu commands besides the keys and the
// lighting group: profiles, defaults, report rate, Apply with its busy
// picture, undo and redo of unapplied edits, the button menu with
// profile-file restore and backup, the window, help and web buttons, the lock
// indicators and the version text.

#include "core/mainwnd/file_chooser.h"
#include "core/skin/skin_layout.h"
#include "core/sync/busy_indicator.h"
#include "gui/mainwnd/keyboard_view.h"
#include "gui/mainwnd/view_images.h"
#include "gui/skin/png_button.h"

#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <set>

namespace kw {
class EditHistory;
class ProfileSwitcher;
struct SyncContext;
} // namespace kw

namespace kw::gui {

// What the commands need of the lighting group and the application around them.
struct MainCommandHooks {
    // SelectProfileButton's first steps: lighting profile n, read, user modes,
    // controls, lighting view off.
    std::function<void(int profile)> showProfileLighting;
    std::function<void(int profile)> setLightingProfile;
    std::function<bool()> lightingViewOn;
    std::function<void()> restoreDefaultLighting;
    // Writes report-rate choice 0..3 to the keyboard.
    std::function<int(int rate)> setReportRate;
    std::function<void()> openProfileManager;
    std::function<void()> openFirmwareUpdate;
    std::function<void()> openAbout;
    std::function<void()> openHelp;
    std::function<void()> quit; // hide, quit sequence, end the program
    std::function<void(const QUrl&)> openUrl;
    // The window's own buttons when it already placed them (null or nullptr
    // answers: the commands create and place their own).
    std::function<QWidget*(int controlId)> windowControl;
    // The window's busy animation, callable from any thread; empty: the
    // commands animate their own picture.
    std::function<void()> startBusy;
    std::function<void()> stopBusy;
};

class CMainCommands : public QObject {
    Q_OBJECT
public:
    // Social pages of our own project, opened by the two small web buttons.
    static constexpr const char* kCommunityPage = "https://community.example.org/keyweave";
    static constexpr const char* kVideoPage = "https://video.example.org/@keyweave";

    CMainCommands(QWidget& window, const skin::SkinLayout& layout, const ViewImages& images,
                  SyncContext& context, ProfileSwitcher& switcher, CKeyboardView& keys,
                  FileChooser& files, MainCommandHooks hooks, QString versionText);
    ~CMainCommands() override;

    // Places every control from the skin and gives the buttons their texts.
    void Place();
    // Re-texts the buttons and tooltips in the current language.
    void LanguageChanged();

    // A click on a control or a menu command, by id.
    void Command(int id);

    int SelectProfileButton(int n);
    int MarkProfileButtons();
    int RestoreDefaults();
    void SetReportRate(int rate);
    // Marks the keyboard's report-rate choice without writing it.
    void ShowReportRate(int rate);
    int Apply();
    // One step back or forward in the unapplied edits (buttons, Ctrl+Z,
    // Ctrl+Shift+Z or Ctrl+Y); 0 when there is none.
    int Undo();
    int Redo();
    int ImportProfileFile();
    int ExportProfileFile();
    // Menu 144 with its texts; the caller shows it.
    std::unique_ptr<QMenu> ButtonMenu();

    // For the lighting group to hang its own steps on once it is attached.
    MainCommandHooks& Hooks() { return hooks_; }

    int reportRate() const { return reportRate_; }
    int selectedProfile() const;
    CPngButton* button(int controlId) const;
    QLabel& versionLabel() { return *version_; }
    QLabel& busyPicture() { return *busy_; }
    bool busyAnimating() const { return busyTimer_.isActive(); }

private:
    class BusyView;

    CPngButton& add(int controlId);
    void markOnly(const std::array<int, 3>& ids, int chosen);
    void showBusyFrame();
    void startBusy();
    void stopBusy();
    int stepHistory(int (EditHistory::*step)());
    // The undo and redo buttons follow the history.
    void showHistory();

    QWidget& window_;
    const skin::SkinLayout& layout_;
    const ViewImages& images_;
    SyncContext& context_;
    ProfileSwitcher& switcher_;
    CKeyboardView& keys_;
    FileChooser& files_;
    MainCommandHooks hooks_;
    QString versionText_;
    std::map<int, CPngButton*> buttons_;
    std::set<int> borrowed_; // placed by the window
    QLabel* version_ = nullptr;
    QLabel* busy_ = nullptr;
    QTimer busyTimer_;
    int busyFrame_ = 0;
    std::shared_ptr<BusyView> busyView_;
    std::unique_ptr<BusyIndicator> busyIndicator_;
    int reportRate_ = 0;
    int modifiedSubscription_ = 0;
    int historySubscription_ = 0;
};

} // namespace kw::gui
