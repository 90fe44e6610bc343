#include "core/lighting/lighting_presenter.h"

#include "core/device/commands.h"
#include "core/lighting/effect_list.h"
#include "core/lighting/key_colour_index.h"
#include "core/lighting/lighting_model.h"
#include "core/lighting/lighting_sliders.h"
#include "core/lighting/preview_engine.h"
#include "core/lighting/user_mode.h"
#include "core/skin/language.h"

#include <string>
#include <vector>

namespace kw {

LightingPresenter::LightingPresenter(LightingModel& lighting, UserModeModel& userModes,
                                     PreviewEngine& preview, const Language& language,
                                     SelectProfileStep selectProfile,
                                     std::filesystem::path defaultUserLightingFile)
    : lighting_(lighting), userModes_(userModes), preview_(preview), language_(language),
      selectProfile_(std::move(selectProfile)),
      defaultUserLightingFile_(std::move(defaultUserLightingFile)) {
    refreshControls();
}

std::uint8_t LightingPresenter::selectedEffect() const {
    const std::uint8_t effect = lighting_.state().effect;
    // The user mode's controls and painting need the keyboard to offer it:
    // without it there are no user lighting files to edit.
    if (effect == kUserModeEffect && !lighting_.effectList().offers(kUserModeEffect)) {
        return 0;
    }
    return effect;
}

bool LightingPresenter::showsUserMode() const {
    return lighting_.state().lightingView && selectedEffect() == kUserModeEffect;
}

int LightingPresenter::KeyboardFound() {
    const int result = lighting_.ReadLighting();
    if (lighting_.effectList().offers(kUserModeEffect)) {
        userModes_.LoadUserModeNames();
        userModes_.RecomputeBaseMarks();
    }
    return afterRead(result);
}

int LightingPresenter::ProfileSwitched(int profile) {
    lighting_.setProfile(profile);
    userModes_.setProfile(profile);
    const int result = lighting_.ReadLighting();
    if (lighting_.effectList().offers(kUserModeEffect)) {
        userModes_.LoadUserModeNames();
    }
    return afterRead(result);
}

int LightingPresenter::KeyboardChangedLighting() {
    return afterRead(lighting_.ReadLighting());
}

int LightingPresenter::afterRead(int readResult) {
    rebuildSelectorTexts();
    refreshControls();
    if (showsUserMode()) {
        showKeyColours();
    }
    return readResult;
}

void LightingPresenter::LanguageChanged() {
    rebuildSelectorTexts();
    refreshControls();
}

void LightingPresenter::rebuildSelectorTexts() {
    const int language = language_.CurrentLanguageIndex();
    controls_.selectorTexts.clear();
    for (std::uint8_t code : lighting_.effectSlots().codes()) {
        controls_.selectorTexts.push_back(language_.LookupModeText(std::to_string(code), language));
    }
}

void LightingPresenter::refreshControls() {
    const LightingState& state = lighting_.state();
    LightingControls& c = controls_;
    c.effect = selectedEffect();
    c.lightingView = state.lightingView;
    c.viewPicture = LightingViewPicture(state.lightingView);
    c.selectorRow = lighting_.effectSlots().rowOfCode(state.effect);

    c.brightnessPosition = ClampSliderPosition(state.brightness);
    c.brightnessFace = BrightnessSliderFace(c.brightnessPosition);
    c.speedPosition = PositionOfSpeed(state.speed);
    c.speedFace = SpeedSliderFace(c.speedPosition);

    c.directionPlacement = DirectionPlacementKeys(c.effect);
    const auto directions = DirectionPicturesFor(c.effect, state.direction);
    c.firstDirectionPicture = directions.first;
    c.secondDirectionPicture = directions.second;

    c.colour = state.colour;
    c.multicolourPicture = MulticolourPicture(state.multicolour);
    for (int s = 0; s < kSwatchCount; ++s) {
        c.swatchPictures[static_cast<std::size_t>(s)] = SwatchPicture(s, state.swatch);
    }
    c.reportRate = state.reportRate;

    c.userModeNames = userModes_.names();
    const int mode = userModes_.selectedMode();
    c.userModeRow = mode >= 0 && mode < kUserModeCount ? mode : -1;
    const UserModeSettings& settings = userModes_.settings();
    c.paintColour = settings.paintColour;
    c.baseColour = settings.baseColour;
    const auto tools = ToolPicturesFor(settings.tool);
    c.colourToolPicture = tools.colourTool;
    c.baseColourToolPicture = tools.baseColourTool;

    if (view_) {
        view_->controlsChanged();
    }
}

void LightingPresenter::showKeyColours() {
    if (!view_) {
        return;
    }
    std::vector<KeyMark> marks;
    const auto buttons = LitButtons();
    marks.reserve(buttons.size());
    for (int button : buttons) {
        marks.push_back(KeyMark{button, userModes_.colours().colour(userModes_.profile(),
                                                                    ColourIndexOfButton(button))});
    }
    view_->keyMarksChanged(marks);
}

void LightingPresenter::resetKeyFaces() {
    preview_.ResetKeyFaces();
    if (view_) {
        view_->keyFacesReset();
    }
}

int LightingPresenter::SelectEffectRow(int row) {
    const std::uint8_t code = lighting_.effectSlots().codeOfRow(row);
    if (code == 0) {
        return 0;
    }
    resetKeyFaces();
    const int result = lighting_.SelectEffect(code);
    preview_.clearFirstTickFlag();
    refreshControls();
    if (showsUserMode()) {
        showKeyColours();
    }
    return result;
}

int LightingPresenter::SliderMoved(int controlId, int position) {
    int result = 0;
    if (controlId == kBrightnessSlider) {
        result = lighting_.SetBrightnessPosition(position);
    } else if (controlId == kSpeedSlider) {
        result = lighting_.SetSpeedPosition(position);
    } else {
        return 0;
    }
    refreshControls();
    return result;
}

int LightingPresenter::DirectionClicked(int controlId) {
    if (controlId != kFirstDirectionPicture && controlId != kSecondDirectionPicture) {
        return kCommandBadArgument;
    }
    const int result = lighting_.SetDirection(
        controlId == kFirstDirectionPicture ? kDirectionFirst : kDirectionSecond);
    refreshControls();
    return result;
}

int LightingPresenter::ColourChosen(Colorref colour) {
    const int result = lighting_.SetColour(colour);
    refreshControls();
    return result;
}

int LightingPresenter::MulticolourClicked() {
    const int result = lighting_.ToggleMulticolour();
    refreshControls();
    return result;
}

int LightingPresenter::SwatchClicked(int controlId) {
    if (controlId < kRedSwatch || controlId > kBlueSwatch) {
        return kCommandBadArgument;
    }
    const int result = lighting_.SetSwatch(controlId - kRedSwatch);
    refreshControls();
    return result;
}

int LightingPresenter::ReportRateClicked(int rate) {
    const int result = lighting_.SetReportRate(rate);
    refreshControls();
    return result;
}

std::optional<std::string> LightingPresenter::ValueEdited(std::string_view text) {
    return ClampedValueEditText(text);
}

int LightingPresenter::ToggleLightingView() {
    if (lighting_.state().lightingView) {
        lighting_.SetLightingView(false);
        resetKeyFaces();
        refreshControls();
        return 1;
    }
    if (selectProfile_ && selectProfile_() == 0) {
        return 0;
    }
    // A setting that cannot be stored only costs the view at the next start.
    lighting_.SetLightingView(true);
    resetKeyFaces();
    if (showsUserMode()) {
        showKeyColours();
    }
    refreshControls();
    return 1;
}

bool LightingPresenter::KeyClicked(int buttonId) {
    if (!lighting_.state().lightingView) {
        return false;
    }
    const std::uint8_t effect = selectedEffect();
    if (effect == kUserModeEffect && HasLight(ColourIndexOfButton(buttonId))) {
        userModes_.PaintKey(buttonId, effect);
        showKeyColours();
    }
    return true;
}

bool LightingPresenter::ToolClicked(int controlId) {
    if (controlId != kColourToolPicture && controlId != kBaseColourToolPicture) {
        return false;
    }
    const bool stored =
        userModes_.SelectTool(controlId == kColourToolPicture ? kColourTool : kBaseColourTool);
    refreshControls();
    return stored;
}

int LightingPresenter::BaseColourChosen(Colorref colour) {
    const int result = userModes_.SetBaseColour(colour);
    refreshControls();
    if (showsUserMode()) {
        showKeyColours();
    }
    return result;
}

bool LightingPresenter::PaintColourChosen(Colorref colour) {
    const bool stored = userModes_.SetPaintColour(colour);
    refreshControls();
    return stored;
}

int LightingPresenter::UserModeSelected(int row) {
    const int result = userModes_.SelectUserMode(row);
    refreshControls();
    if (showsUserMode()) {
        showKeyColours();
    }
    return result;
}

bool LightingPresenter::UserModeRenamed(std::string_view text) {
    const bool stored = userModes_.RenameUserMode(userModes_.selectedMode(), text);
    refreshControls();
    return stored;
}

int LightingPresenter::RestoreDefaults() {
    if (!lighting_.state().lightingView) {
        return 0;
    }
    resetKeyFaces();
    const int result = lighting_.RestoreDefaultLighting(&userModes_, defaultUserLightingFile_);
    preview_.clearFirstTickFlag();
    refreshControls();
    return result;
}

void LightingPresenter::PreviewTick() {
    if (preview_.PreviewTick(lighting_.state()) && view_) {
        view_->previewFrame(preview_.frame());
    }
}

} // namespace kw
