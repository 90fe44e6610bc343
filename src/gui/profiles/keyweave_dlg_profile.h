#pragma once
// The profile manager: the keyboard's three profiles and the profile files the
// user keeps beside them, which one is active, New, Load, Delete, Apply, OK
// and Cancel. Every action is the ProfileManagerModel's; the dialog draws the
// rows and asks for the file names.

#include "core/mainwnd/file_chooser.h"
#include "core/profiles/profile_manager.h"
#include "gui/skin/base_dialog.h"
#include "gui/skin/png_button.h"

#include <QTableWidget>
#include <functional>
#include <map>

namespace kw {
class Language;
class Prompter;
} // namespace kw

namespace kw::gui {

namespace profiles {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kList = 1007;
inline constexpr int kLoad = 1008;
inline constexpr int kNew = 1010;
inline constexpr int kDelete = 1011;
inline constexpr int kApply = 1012;
inline constexpr int kTitleText = 1250; // ours: the dialog's name in its title bar
} // namespace profiles

struct ProfileDialogDependencies {
    ProfileManagerModel& model;
    const Language& language;
    Prompter& prompter;
    FileChooser& files;
    // Where New and Load start: the per-user data folder.
    std::filesystem::path dataFolder;
    // After Apply re-read the keyboard: the main window shows the new state.
    std::function<void()> applied;
};

class CKeyweave_DlgProfile : public CBaseDialog {
    Q_OBJECT
public:
    CKeyweave_DlgProfile(QWidget* parent, std::filesystem::path skinIniFile,
                         ProfileDialogDependencies dependencies, FatalExit fatalExit);

    // Loads the skin and its three pictures, places the controls and opens
    // the model; false after the fatal exit was called for a missing picture.
    bool Initialise();
    QWidget* Control(int id) const;
    QTableWidget& List() const { return *list_; }
    // Draws the model again (after the keyboard switched profile meanwhile).
    void Refresh();

    void New();
    void Load();
    void Delete();
    void Apply();

private:
    CPngButton& addButton(int id, std::string_view key, const std::array<QImage, 3>& faces);

    ProfileDialogDependencies deps_;
    FatalExit fatalExit_;
    std::map<int, QWidget*> controls_;
    QTableWidget* list_ = nullptr;
    bool refreshing_ = false;
};

} // namespace kw::gui
