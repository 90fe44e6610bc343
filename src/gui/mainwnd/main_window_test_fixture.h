#pragma once
// The drawn keyboard and the main window's commands on a plain window, with
// the generated skin, the shipped English texts, the simulated keyboard, a
// fake key editor and scripted file names.

#include "core/keys/key_buttons.h"
#include "core/lighting/lighting_model.h"
#include "core/lighting/view_settings.h"
#include "core/mainwnd/key_editor_opener.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/keyboard_refresh.h"
#include "core/sync/profile_switch.h"
#include "core/sync/sync_test_fixture.h"
#include "gui/mainwnd/keyboard_view.h"
#include "gui/mainwnd/main_commands.h"
#include "gui/skin/test_application.h"
#include "testsupport/scripted_file_chooser.h"

#include <QWidget>
#include <filesystem>
#include <vector>

namespace kw::gui::testing {

using kw::testing::ScriptedFileChooser;

class FakeKeyEditor : public KeyEditorOpener {
public:
    void openKeyEditor(const EditorSelection& selection) override {
        open = true;
        if (whileOpen) {
            whileOpen();
        }
        opened.push_back(selection);
        open = false;
    }
    bool keyEditorOpen() const override { return open; }

    std::vector<EditorSelection> opened;
    std::function<void()> whileOpen;
    bool open = false;
};

// A base, so the application exists before the fixture's widget members.
struct ApplicationReady {
    ApplicationReady() { application(); }
};

class MainWindowTest : private ApplicationReady, public kw::testing::SyncTest {
protected:
    MainWindowTest() {
        // The shipped English texts, so tooltips read as a user sees them.
        std::filesystem::copy_file(kw::testing::programFolder() / "Lang0409.ini",
                                   programFolder / "Lang0409.ini",
                                   std::filesystem::copy_options::overwrite_existing);
        context.refreshKeyButtons = [this] { keys.RefreshKeyButtons(); };
        window.resize(1000, 560);
        keys.PlaceKeyButtons();
        mainCommands.Place();
        RefreshFromKeyboard(context);
        keys.RefreshKeyButtons();
        mainCommands.MarkProfileButtons();
        link.keyboard.clearLog();
    }

    CPngButton& key(int controlId) {
        CPngButton* b = keys.button(controlId);
        if (!b) {
            b = mainCommands.button(controlId);
        }
        EXPECT_NE(b, nullptr) << controlId;
        return *b;
    }

    void setEntry(int keyIndex, KeyEntry entry, int group = 0) {
        std::lock_guard guard(config.lock);
        *config.entry(group, keyIndex) = entry;
    }

    skin::SkinLayout layout =
        skin::SkinLayout::load(kw::testing::programFolder() / "Skins" / "Main.ini");
    ViewImages images = ViewImages::Load(kw::testing::programFolder() / "Skins", 1.0);
    QWidget window;
    FakeKeyEditor editor;
    ScriptedFileChooser files;
    bool lightingView = false;
    std::vector<int> colouredKeys;
    std::vector<int> lightingShown;
    int defaultLightingWrites = 0;
    LightingModel lighting{link.transport, ViewSettingsFilePath(dataHome.path())};
    CKeyboardView keys{window,
                       {layout, images, language, config, settings, modified, editor,
                        [this] { return keyboard.currentProfile.load(); },
                        [this] { return lightingView; },
                        [this](int id) { colouredKeys.push_back(id); }, nullptr}};
    ProfileSwitcher switcher{context,
                             {[this] { return editor.keyEditorOpen(); }, nullptr, nullptr,
                              [this] { mainCommands.Apply(); }}};
    std::vector<QUrl> urls;
    CMainCommands mainCommands{
        window,
        layout,
        images,
        context,
        switcher,
        keys,
        files,
        {[this](int p) {
             lightingShown.push_back(p);
             lighting.setProfile(p);
             lighting.ReadLighting();
         },
         [this](int p) { lighting.setProfile(p); }, [this] { return lightingView; },
         [this] { ++defaultLightingWrites; },
         [this](int rate) { return lighting.SetReportRate(rate); }, nullptr, nullptr, nullptr,
         nullptr, nullptr, [this](const QUrl& url) { urls.push_back(url); }, nullptr, nullptr,
         nullptr},
        QStringLiteral("v1.0")};
};

} // namespace kw::gui::testing
