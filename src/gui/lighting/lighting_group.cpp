#include "gui/lighting/lighting_group.h"

#include "core/lighting/lighting_model.h"
#include "core/lighting/lighting_presenter.h"
#include "core/lighting/preview_engine.h"
#include "core/lighting/user_mode.h"
#include "core/lighting/view_settings.h"
#include "gui/lighting/lighting_panel.h"

#include <utility>

namespace kw::gui {
namespace {

// Restoring the default lighting copies this file over the profile's user lighting file.
std::filesystem::path defaultUserLightingFile(const std::filesystem::path& programFolder) {
    return programFolder / "Skins" / "UserDengColor_3.userd";
}

} // namespace

struct CLightingGroup::Parts {
    explicit Parts(LightingGroupDependencies& d)
        : lighting(d.transport, ViewSettingsFilePath(d.dataHome)),
          userModes(d.transport, d.dataHome),
          presenter(lighting, userModes, preview, d.language, std::move(d.selectProfile),
                    defaultUserLightingFile(d.programFolder)),
          panel({d.window, d.layout, d.language, presenter, std::move(d.keyButton),
                 std::move(d.resetKeyFaces), std::move(d.windowWidget), std::move(d.registerWidget),
                 std::move(d.controlsShown)}) {}

    LightingModel lighting;
    UserModeModel userModes;
    PreviewEngine preview;
    LightingPresenter presenter;
    CLightingPanel panel;
};

CLightingGroup::CLightingGroup(LightingGroupDependencies dependencies)
    : parts_(std::make_unique<Parts>(dependencies)) {}

CLightingGroup::~CLightingGroup() = default;

LightingPresenter& CLightingGroup::Presenter() {
    return parts_->presenter;
}

CLightingPanel& CLightingGroup::Panel() {
    return parts_->panel;
}

QWidget* CLightingGroup::Control(int controlId) {
    return parts_->panel.control(controlId);
}

void CLightingGroup::SetProfile(int profile) {
    parts_->lighting.setProfile(profile);
    parts_->userModes.setProfile(profile);
}

void CLightingGroup::LanguageChanged() {
    parts_->panel.LanguageChanged();
}

} // namespace kw::gui
