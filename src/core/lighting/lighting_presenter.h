#pragma once
// The lighting group's logic between the widgets and the keyboard: it reacts
// to every lighting and user-mode control, writes each change to the keyboard
// at once through the lighting and user-mode models, drives the preview, and
// describes what every control shows. The window only binds this to widgets.

#include "core/lighting/lighting_controls.h"
#include "core/lighting/lighting_view.h"
#include "core/lighting/rgb.h"
#include "core/lighting/user_lighting_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

class Language;
class LightingModel;
class PreviewEngine;
class UserModeModel;

// Everything a lighting control shows. Pictures are file names of the skin folder.
struct LightingControls {
    // The effect the controls follow: the kept one, or 0 for a user mode the
    // keyboard does not offer.
    std::uint8_t effect = 0;
    bool lightingView = false;
    std::string viewPicture;

    std::vector<std::string> selectorTexts;
    int selectorRow = -1; // -1: nothing selected

    int brightnessPosition = 0;
    std::string brightnessFace;
    int speedPosition = 0;
    std::string speedFace;

    DirectionPlacement directionPlacement;
    std::string firstDirectionPicture;
    std::string secondDirectionPicture;

    Colorref colour = 0;            // both colour buttons
    std::string multicolourPicture; // both multicolour toggles
    std::array<std::string, kSwatchCount> swatchPictures;
    int reportRate = 0; // the selected report-rate button

    std::array<std::string, kUserModeCount> userModeNames;
    int userModeRow = -1; // -1 for a stored mode outside 0..9
    Colorref paintColour = 0;
    Colorref baseColour = 0;
    std::string colourToolPicture;
    std::string baseColourToolPicture;

    bool shown(int controlId) const {
        return IsLightingControlShown(controlId, effect, lightingView);
    }
};

class LightingPresenter {
public:
    // Switching the view on first selects the keyboard's current profile;
    // the step returns 0 when the user refuses (unsaved key changes).
    using SelectProfileStep = std::function<int()>;

    LightingPresenter(LightingModel& lighting, UserModeModel& userModes, PreviewEngine& preview,
                      const Language& language, SelectProfileStep selectProfile,
                      std::filesystem::path defaultUserLightingFile);

    // Null: nobody listens.
    void setView(LightingView* view) { view_ = view; }
    const LightingControls& controls() const { return controls_; }

    // The occasions that read the keyboard's lighting again. Each returns the
    // lighting read's result (0, or -1 when the keyboard could not be read);
    // the controls are refreshed either way.
    int KeyboardFound();
    int ProfileSwitched(int profile);
    int KeyboardChangedLighting();
    // The selector's effect names in the current language.
    void LanguageChanged();

    // Control actions. Device results pass through (1 success); the state
    // and the controls change even when the keyboard did not take the write.
    int SelectEffectRow(int row);
    int SliderMoved(int controlId, int position);
    int DirectionClicked(int controlId);
    int ColourChosen(Colorref colour);
    int MulticolourClicked();
    int SwatchClicked(int controlId);
    int ReportRateClicked(int rate);
    // The text a value edit must show instead of `text`, if any. Nothing is sent.
    std::optional<std::string> ValueEdited(std::string_view text);
    // 1 when the view switched, 0 when the profile step refused.
    int ToggleLightingView();
    // True when the lighting view takes the click (it then colours the key
    // with the user mode); false: the window opens the key editor.
    bool KeyClicked(int buttonId);
    bool ToolClicked(int controlId);
    int BaseColourChosen(Colorref colour);
    bool PaintColourChosen(Colorref colour);
    int UserModeSelected(int row);
    bool UserModeRenamed(std::string_view text);
    // Only while the view is on; otherwise nothing happens and 0 is returned.
    int RestoreDefaults();

    // Timer 1052: one preview step while the view is on.
    void PreviewTick();

private:
    std::uint8_t selectedEffect() const;
    bool showsUserMode() const;
    int afterRead(int readResult);
    void rebuildSelectorTexts();
    void refreshControls();
    void showKeyColours();
    void resetKeyFaces();

    LightingModel& lighting_;
    UserModeModel& userModes_;
    PreviewEngine& preview_;
    const Language& language_;
    SelectProfileStep selectProfile_;
    std::filesystem::path defaultUserLightingFile_;
    LightingView* view_ = nullptr;
    LightingControls controls_;
};

} // namespace kw
