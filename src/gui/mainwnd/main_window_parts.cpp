#include "gui/mainwnd/main_window_parts.h"

#include "core/sync/apply_pipeline.h"
#include "gui/mainwnd/keyweave_dlg.h"

#include <utility>

namespace kw::gui {

CMainWindowParts::CMainWindowParts(CKeyweaveDlg& window)
    : window_(window), files_(&window),
      lighting_(window.DeviceTransport(), window.Context().dataHome / "wskb.ini"),
      switcher_(window.Sync(), {[this] { return editor_.keyEditorOpen(); }, nullptr, nullptr,
                                [this] { commands_->Apply(); }}) {
    SyncContext& sync = window.Sync();
    keys_ = std::make_unique<CKeyboardView>(
        window, KeyboardViewDependencies{window.Layout(), window.Images(), sync.language,
                                         sync.config, settings_, sync.modified, editor_,
                                         [&sync] { return sync.keyboard.currentProfile.load(); },
                                         [] { return false; }, nullptr,
                                         [&window](int id) { return window.Control(id); }});
    MainCommandHooks hooks;
    // Until the lighting group is attached, the report-rate marks are all
    // these buttons show of the lighting record.
    const auto showLighting = [this](int profile) {
        lighting_.Show(profile);
        commands_->ShowReportRate(lighting_.ReportRate());
    };
    hooks.showProfileLighting = showLighting;
    hooks.setLightingProfile = showLighting;
    hooks.setReportRate = [this](int rate) { return lighting_.SetReportRate(rate); };
    hooks.quit = [&window] {
        window.hide();
        window.QuitSequence();
    };
    hooks.openUrl = [&window](const QUrl& url) { window.Context().shell.openUrl(url); };
    hooks.windowControl = [&window](int id) { return window.Widget(id); };
    hooks.startBusy = [&window] { window.StartBusyAnimation(); };
    hooks.stopBusy = [&window] { window.StopBusyAnimation(); };
    commands_ = std::make_unique<CMainCommands>(
        window, window.Layout(), window.Images(), sync, switcher_, *keys_, files_, std::move(hooks),
        // The skin's pictures carry the version; the window's text stays empty.
        QString());
    keys_->PlaceKeyButtons();
    commands_->Place();

    // Chained so whatever else hangs on these hooks keeps running.
    const auto redraw = std::exchange(sync.refreshKeyButtons, nullptr);
    sync.refreshKeyButtons = [this, redraw] {
        if (redraw) {
            redraw();
        }
        keys_->RefreshKeyButtons();
    };
    MainWindowHooks& windowHooks = window.Hooks();
    const auto afterRefresh = std::exchange(windowHooks.afterRefresh, nullptr);
    windowHooks.afterRefresh = [this, afterRefresh] {
        commands_->MarkProfileButtons();
        keys_->RefreshKeyButtons();
        if (afterRefresh) {
            afterRefresh();
        }
    };
    const auto languageChanged = std::exchange(windowHooks.languageChanged, nullptr);
    windowHooks.languageChanged = [this, languageChanged](int index) {
        if (languageChanged) {
            languageChanged(index);
        }
        commands_->LanguageChanged();
        keys_->RefreshKeyCaptions();
    };
}

CMainWindowParts::~CMainWindowParts() = default;

} // namespace kw::gui
