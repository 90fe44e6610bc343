#pragma once
// The drawn keyboard and the window's commands attached to a running main
// window: they take over the buttons it placed, place the rest, and hang
// their refresh work on its hooks.

#include "core/base/settings_store.h"
#include "core/mainwnd/key_editor_opener.h"
#include "core/sync/profile_switch.h"
#include "gui/keyeditor/composite_editor_opener.h"
#include "gui/lighting/lighting_group.h"
#include "gui/mainwnd/keyboard_view.h"
#include "gui/mainwnd/main_commands.h"
#include "gui/mainwnd/qt_file_chooser.h"

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

private:
    CKeyweaveDlg& window_;
    SettingsStore settings_{SettingsStore::defaultPath()};
    std::unique_ptr<CCompositeEditorOpener> editor_;
    QtFileChooser files_;
    ProfileSwitcher switcher_;
    std::unique_ptr<CKeyboardView> keys_;
    std::unique_ptr<CMainCommands> commands_;
    std::unique_ptr<CLightingGroup> lighting_;
};

} // namespace kw::gui
