// The main window's side of the tray icon: its commands, images, menu texts
// and tip, the autostart entry the menu switches, and the notice of a
// keyboard the user may not open.

#include "core/base/autostart_entry.h"
#include "core/base/environment.h"
#include "core/device/access_help.h"
#include "core/skin/text_keys.h"
#include "gui/mainwnd/keyweave_dlg.h"

#include <QCoreApplication>

namespace kw::gui {

namespace {

// The rule file ships with the program's other files.
constexpr char kUdevRuleFile[] = "70-keyweave.rules";

std::filesystem::path autostartEntry() {
    return autostartEntryPath(userConfigHome());
}

} // namespace

void CKeyweaveDlg::OnTrayCommand(int command) {
    switch (command) {
    case app::kCommandOpen:
        ShowMainWindow();
        break;
    case app::kCommandAbout:
        OpenAbout();
        break;
    case app::kCommandAutostart:
        toggleAutostart();
        break;
    case app::kCommandExit:
        hide();
        QuitSequence();
        break;
    default:
        break;
    }
}

void CKeyweaveDlg::prepareTrayMenu(QMenu& menu) {
    const int index = context_.language.CurrentLanguageIndex();
    for (QAction* action : menu.actions()) {
        const int id = action->data().toInt();
        const std::string_view key = id == app::kCommandOpen        ? text_keys::MENU_11
                                     : id == app::kCommandAbout     ? text_keys::MENU_22
                                     : id == app::kCommandAutostart ? text_keys::MENU_AUTOSTART
                                                                    : text_keys::MENU_33;
        action->setText(QString::fromStdString(context_.language.LookupText(key, index)));
        if (id == app::kCommandAutostart) {
            // The desktop's session settings may have switched it since.
            action->setChecked(isAutostartEnabled(autostartEntry()));
        }
    }
}

void CKeyweaveDlg::toggleAutostart() {
    const std::filesystem::path entry = autostartEntry();
    const bool enable = !isAutostartEnabled(entry);
    const std::filesystem::path program = QCoreApplication::applicationFilePath().toStdString();
    if (!setAutostart(entry, enable, program)) {
        context_.prompter.showMessage(context_.language.text(text_keys::AUTOSTART_FAILED) + "\n" +
                                      entry.string());
    }
}

void CKeyweaveDlg::updateTrayTooltip() {
    std::string tip = context_.language.text(text_keys::KEYBOARD_TRAY_DESC);
    if (accessDenied_) {
        tip += "\n" + context_.language.text(text_keys::KEYBOARD_ACCESS_TRAY);
    }
    tray_.SetTooltip(QString::fromStdString(tip));
}

void CKeyweaveDlg::OnAccessDenied(const std::string& deniedPath) {
    if (quit_) {
        return;
    }
    accessDenied_ = !deniedPath.empty();
    updateTrayTooltip();
    if (!accessDenied_ || accessMessageShown_) {
        return;
    }
    // Once a run: a user who chooses not to install the rule is not asked
    // again at every plug; the tray tip keeps telling.
    accessMessageShown_ = true;
    const std::string commands = accessRuleCommands(context_.programFolder / kUdevRuleFile);
    context_.prompter.showMessageWithCopy(
        context_.language.text(text_keys::KEYBOARD_ACCESS_DENIED) + "\n\n" + commands + "\n\n" +
            deniedPath,
        commands, context_.language.text(text_keys::KEYBOARD_ACCESS_COPY));
}

void CKeyweaveDlg::OpenAbout() {
    context_.about.Open();
}

void CKeyweaveDlg::SetTrayIcon(int iconId) {
    if (iconId != trayIconId_ && !quit_) {
        tray_.SetIcon(iconId);
        trayIconId_ = iconId;
    }
}

void CKeyweaveDlg::SetPresenceIcon(int iconId) {
    lastPresenceIconId_ = iconId;
    SetTrayIcon(iconId);
}

void CKeyweaveDlg::SetEventIcon() {
    SetTrayIcon(kIconKeyboardEvent);
}

void CKeyweaveDlg::RestorePresenceIcon() {
    SetTrayIcon(lastPresenceIconId_);
}

} // namespace kw::gui
