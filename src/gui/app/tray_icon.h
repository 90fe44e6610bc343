#pragma once
// The notification-area icon: the keyboard's state as an image (absent,
// present, event), a menu of Open, About, Start with my session and Exit
// re-texted from the language file each time before it shows, and a double
// click that opens the window.
// Where the desktop has no tray the icon stays absent and the program works on.

#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <filesystem>
#include <functional>
#include <memory>

namespace kw::app {

inline constexpr int kTrayIconId = 140;
inline constexpr int kCommandOpen = 32771;
inline constexpr int kCommandAbout = 32773;
inline constexpr int kCommandExit = 32774;
// A check item: the program starts with the user's session.
inline constexpr int kCommandAutostart = 32790;

class CTrayIcon : public QObject {
    Q_OBJECT
public:
    // Called with the menu before it shows.
    using MenuPreparation = std::function<void(QMenu& menu)>;

    // Icons are looked for in `skinsFolder`: 128 absent, 141 present, 142 event.
    explicit CTrayIcon(std::filesystem::path skinsFolder, QObject* parent = nullptr);
    ~CTrayIcon() override;

    // False (and nothing shown) when the desktop has no notification area.
    bool Create(const QString& tooltip, int iconId);
    bool IsCreated() const { return created_; }
    // Only while created.
    void SetIcon(int iconId);
    void Remove();
    void SetDefaultCommand(int command) { defaultCommand_ = command; }
    void SetMenuPreparation(MenuPreparation prepare) { prepare_ = std::move(prepare); }

    // The pop-up as it shows: prepared, the default item set and bold.
    QMenu& PreparedMenu();
    // What a click of the given kind on the icon does.
    void HandleActivation(QSystemTrayIcon::ActivationReason reason);
    QString Tooltip() const { return tooltip_; }
    // A new tooltip, cut as Create cuts it; shown at once while created.
    void SetTooltip(const QString& tooltip);

    static QString IconFile(int iconId);

signals:
    // A menu command or the double click's command, on the UI thread.
    void command(int id);

private:
    QAction* addCommand(int id);
    int defaultOrFirstCommand() const;

    std::filesystem::path skinsFolder_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    QString tooltip_;
    MenuPreparation prepare_;
    int defaultCommand_ = 0;
    bool created_ = false;
};

} // namespace kw::app
