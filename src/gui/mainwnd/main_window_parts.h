#pragma once
// The drawn keyboard and the window's commands attached to a running main
// window: they take over the buttons it placed, place the rest, and hang
// their refresh work on its hooks.

#include "core/base/settings_store.h"
#include "core/mainwnd/key_editor_opener.h"
#include "core/profiles/profile_manager.h"
#include "core/sync/profile_switch.h"
#include "gui/keyeditor/composite_editor_opener.h"
#include "gui/lighting/lighting_group.h"
#include "gui/mainwnd/keyboard_view.h"
#include "gui/mainwnd/main_commands.h"
#include "gui/mainwnd/qt_file_chooser.h"
#include "gui/update/shell_program_launcher.h"

#include <QDialog>
#include <functional>
#include <memory>

namespace kw::gui {

class CKeyweaveDlg;

class CMainWindowParts {
public:
    // After the window's Initialise.
    explicit CMainWindowParts(CKeyweaveDlg& window);
    ~CMainWindowParts();

    CKeyboardView& Keys() { return *keys_; }
    CMainCommands& Commands() { return *commands_; }
    CLightingGroup& Lighting() { return *lighting_; }
    CCompositeEditorOpener& KeyEditor() { return *editor_; }
    // Runs the firmware update dialog modally (menu 144).
    void OpenFirmwareUpdate();
    // Runs the profile manager modally (the folder button).
    void OpenProfileManager();
    // The open profile manager, if any (tests drive it).
    class CKeyweave_DlgProfile* ProfileManager() const {
        return manager_;
    }
    // Called just after a dialog of this window is shown, inside its modal loop (tests).
    void SetWhileDialogOpen(std::function<void(QDialog&)> whileOpen) {
        whileDialogOpen_ = std::move(whileOpen);
    }
    // Tests answer the dialogs' file questions.
    void SetFileChooser(FileChooser& files) { chooser_ = &files; }
    const std::filesystem::path& UpdateProgram() const { return updateProgram_; }

private:
    void runModal(QDialog& dialog);

    CKeyweaveDlg& window_;
    SettingsStore settings_{SettingsStore::defaultPath()};
    std::unique_ptr<CCompositeEditorOpener> editor_;
    QtFileChooser files_;
    FileChooser* chooser_ = &files_;
    ShellProgramLauncher launcher_;
    // The chosen update program, kept between runs of the update dialog.
    std::filesystem::path updateProgram_;
    std::unique_ptr<ProfileManagerModel> managerModel_;
    class CKeyweave_DlgProfile* manager_ = nullptr;
    std::function<void(QDialog&)> whileDialogOpen_;
    ProfileSwitcher switcher_;
    std::unique_ptr<CKeyboardView> keys_;
    std::unique_ptr<CMainCommands> commands_;
    std::unique_ptr<CLightingGroup> lighting_;
};

} // namespace kw::gui
