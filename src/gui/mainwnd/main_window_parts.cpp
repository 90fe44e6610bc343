#include "gui/mainwnd/main_window_parts.h"

#include "core/config/data_folder.h"
#include "core/lighting/lighting_presenter.h"
#include "core/skin/skin_keys.h"
#include "core/sync/apply_pipeline.h"
#include "gui/mainwnd/keyweave_dlg.h"
#include "gui/profiles/keyweave_dlg_profile.h"
#include "gui/update/keyweave_dlg_update.h"

#include <QTimer>
#include <utility>

namespace kw::gui {

CMainWindowParts::CMainWindowParts(CKeyweaveDlg& window)
    : window_(window), files_(&window), launcher_(window.Context().shell),
      switcher_(window.Sync(), {[this] { return editor_->keyEditorOpen(); },
                                [this] { return manager_ && managerModel_->unappliedChanges(); },
                                [this](int profile) {
                                    if (manager_) {
                                        managerModel_->ProfileSelected(profile);
                                        manager_->Refresh();
                                    }
                                },
                                [this] { commands_->Apply(); }}) {
    SyncContext& sync = window.Sync();
    MainWindowContext& context = window.Context();
    editor_ = std::make_unique<CCompositeEditorOpener>(CompositeEditorDependencies{
        window, context.programFolder, sync.language, sync.config, context.prompter, context.shell,
        settings_, [&sync] { return sync.keyboard.currentProfile.load(); },
        [this](int id) -> QWidget* { return keys_->button(id); },
        [this, &sync](const KeyCommitResult& result) {
            keys_->RefreshKeyButtons();
            // Moved macros leave the other profiles' key tables naming the wrong ones.
            if (result.macros.needsAllProfiles(editor_->Model().state().profile)) {
                sync.modified.setAllProfiles();
            } else {
                sync.modified.set();
            }
            // After the flag, so the step keeps it.
            sync.recordEdit();
        },
        [&context] { context.exitProcess(0); }});
    keys_ = std::make_unique<CKeyboardView>(
        window, KeyboardViewDependencies{window.Layout(), window.Images(), sync.language,
                                         sync.config, settings_, sync.modified, *editor_,
                                         [&sync] { return sync.keyboard.currentProfile.load(); },
                                         [] { return false; }, nullptr,
                                         [&window](int id) { return window.Control(id); }});
    MainCommandHooks hooks;
    // The report-rate buttons show the choice of the lighting record last read.
    const auto showReportRate = [this] {
        commands_->ShowReportRate(lighting_->Presenter().controls().reportRate);
    };
    hooks.showProfileLighting = [this, showReportRate](int profile) {
        lighting_->Presenter().ProfileSwitched(profile);
        showReportRate();
    };
    hooks.setLightingProfile = [this](int profile) { lighting_->SetProfile(profile); };
    hooks.lightingViewOn = [this] { return lighting_->Presenter().controls().lightingView; };
    hooks.restoreDefaultLighting = [this, showReportRate] {
        lighting_->Presenter().RestoreDefaults();
        showReportRate();
    };
    hooks.setReportRate = [this](int rate) {
        return lighting_->Presenter().ReportRateClicked(rate);
    };
    hooks.quit = [&window] {
        window.hide();
        window.QuitSequence();
    };
    hooks.openUrl = [&window](const QUrl& url) { window.Context().shell.openUrl(url); };
    hooks.openFirmwareUpdate = [this] { OpenFirmwareUpdate(); };
    hooks.openProfileManager = [this] { OpenProfileManager(); };
    hooks.openAbout = [&window] { window.OpenAbout(); };
    hooks.windowControl = [&window](int id) { return window.Widget(id); };
    hooks.startBusy = [&window] { window.StartBusyAnimation(); };
    hooks.stopBusy = [&window] { window.StopBusyAnimation(); };
    commands_ = std::make_unique<CMainCommands>(
        window, window.Layout(), window.Images(), sync, switcher_, *keys_, files_, std::move(hooks),
        // The skin's pictures carry the version; the window's text stays empty.
        QString());
    keys_->PlaceKeyButtons();
    commands_->Place();
    lighting_ = std::make_unique<CLightingGroup>(LightingGroupDependencies{
        window, window.Layout(), sync.language, window.DeviceTransport(), window.Context().dataHome,
        window.Context().programFolder,
        [this, &sync] { return switcher_.SelectProfile(sync.keyboard.currentProfile.load()); },
        [this](int id) { return keys_->button(id); },
        [this] {
            keys_->ResetKeyFaces();
            keys_->RefreshKeyButtons();
        },
        [&window](int id) { return window.Widget(id); },
        [&window](int id, QWidget* widget) { window.RegisterWidget(id, widget); },
        [&window] { window.WakePreview(); }});
    keys_->SetLightingRoute([this] { return lighting_->Presenter().controls().lightingView; },
                            [this](int id) { lighting_->Presenter().KeyClicked(id); });

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
    windowHooks.afterRefresh = [this, afterRefresh, showReportRate] {
        commands_->MarkProfileButtons();
        keys_->RefreshKeyButtons();
        // The keyboard was found: its lighting and user modes are read again.
        lighting_->Presenter().KeyboardFound();
        showReportRate();
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
        lighting_->LanguageChanged();
        editor_->LanguageChanged(index);
    };
    windowHooks.escapePressed = [this] {
        if (lighting_->Presenter().controls().lightingView) {
            lighting_->Presenter().ToggleLightingView();
        }
    };
    const auto lightingRefresh = std::exchange(windowHooks.lightingRefresh, nullptr);
    windowHooks.lightingRefresh = [this, lightingRefresh, showReportRate] {
        if (lightingRefresh) {
            lightingRefresh();
        }
        lighting_->Presenter().KeyboardChangedLighting();
        showReportRate();
    };
    // The preview runs only while it can be seen.
    windowHooks.previewWanted = [this, &window] {
        return lighting_ && window.isVisible() && !window.isMinimized() &&
               lighting_->Presenter().controls().lightingView;
    };
    const auto previewStep = std::exchange(windowHooks.previewStep, nullptr);
    windowHooks.previewStep = [this, previewStep](bool reset) {
        if (previewStep) {
            previewStep(reset);
        }
        lighting_->Presenter().PreviewTick();
    };
}

CMainWindowParts::~CMainWindowParts() = default;

void CMainWindowParts::OpenFirmwareUpdate() {
    MainWindowContext& context = window_.Context();
    CKeyweave_DlgUpdate dialog(&window_,
                               context.programFolder / std::string(skin::kSkinsFolder) /
                                   std::string(skin::kUpdateSkinFile),
                               {window_.Sync().language, context.prompter,
                                window_.DeviceTransport(), window_.Sync().config, launcher_,
                                *chooser_, context.programFolder / "Package", updateProgram_},
                               [&context] { context.exitProcess(0); });
    if (!dialog.Initialise()) {
        return;
    }
    runModal(dialog);
}

void CMainWindowParts::OpenProfileManager() {
    MainWindowContext& context = window_.Context();
    SyncContext& sync = window_.Sync();
    if (!managerModel_) {
        managerModel_ = std::make_unique<ProfileManagerModel>(sync, settings_);
    }
    CKeyweave_DlgProfile dialog(&window_,
                                context.programFolder / std::string(skin::kSkinsFolder) /
                                    std::string(skin::kProfileSkinFile),
                                {*managerModel_, sync.language, context.prompter, *chooser_,
                                 dataFolderPath(context.dataHome),
                                 [this] {
                                     if (window_.Hooks().afterRefresh) {
                                         window_.Hooks().afterRefresh();
                                     }
                                 }},
                                [&context] { context.exitProcess(0); });
    if (!dialog.Initialise()) {
        return;
    }
    manager_ = &dialog;
    runModal(dialog);
    manager_ = nullptr;
}

void CMainWindowParts::runModal(QDialog& dialog) {
    if (whileDialogOpen_) {
        QTimer::singleShot(0, &dialog, [this, &dialog] { whileDialogOpen_(dialog); });
    }
    dialog.exec();
}

} // namespace kw::gui
