#pragma once
// What each control of the lighting group shows for a given lighting state:
// whether it is visible, which picture it carries, and where the direction
// controls are placed. Pure rules, so the window only binds them to widgets.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

// Control ids of the main window's lighting group and user-mode controls.
enum LightingControlId : int {
    kLightingTitle = 1171,
    kLightingViewToggle = 1167,
    kEffectSelector = 1146,
    kBrightnessCaption = 1172,
    kBrightnessSlider = 1178,
    kSpeedCaption = 1166,
    kSpeedSlider = 1179,
    kDirectionCaption = 1148,
    kFirstDirectionPicture = 1149,
    kSecondDirectionPicture = 1150,
    kReactiveColourCaption = 1151,
    kReactiveColourButton = 1152,
    kReactiveMulticolourCaption = 1176,
    kReactiveMulticolourToggle = 1175,
    kGeneralColourCaption = 1154,
    kGeneralColourButton = 1155,
    kGeneralMulticolourCaption = 1173,
    kGeneralMulticolourToggle = 1156,
    kRedSwatch = 1194,
    kYellowSwatch = 1195,
    kGreenSwatch = 1196,
    kBlueSwatch = 1197,
    kPaintColourCaption = 1159,
    kPaintColourButton = 1160,
    kBaseColourCaption = 1161,
    kBaseColourButton = 1162,
    kToolCaption = 1163,
    kColourToolPicture = 1164,
    kBaseColourToolPicture = 1165,
    kUserModeSelector = 1198,
};

inline constexpr int kSwatchCount = 4;

// Whether `controlId` is shown while `effect` is the selected one. With the
// view off only the group's title and the view toggle stay; an effect the
// table does not know keeps the selector and the brightness controls
// reachable. Ids outside the group are never shown by these rules.
bool IsLightingControlShown(int controlId, std::uint8_t effect, bool lightingView);

// The skin keys of the direction caption and pictures: suffix "2" for the
// column effects 1..3, "3" for the row wave 12, none otherwise.
std::string_view DirectionPlacementSuffix(std::uint8_t effect);
struct DirectionPlacement {
    std::string caption;
    std::string first;
    std::string second;
};
DirectionPlacement DirectionPlacementKeys(std::uint8_t effect);

// The two direction pictures for the effect's pair (up/down for 12,
// spread/gather for 18, left/right otherwise) in the kept direction.
struct DirectionPictures {
    std::string_view first;
    std::string_view second;
};
DirectionPictures DirectionPicturesFor(std::uint8_t effect, std::uint8_t direction);

// Every on/off picture of the group ("sjsdown.bmp" on, "sjsup.bmp" off).
std::string_view MulticolourPicture(bool on);
// Swatch 0..3 (red, yellow, green, blue); an index above 3 counts as red.
std::string_view SwatchPicture(int swatch, int selectedSwatch);
std::string_view LightingViewPicture(bool on);
// Tool 0 is the colour tool, tool 1 the base-colour tool.
struct ToolPictures {
    std::string_view colourTool;
    std::string_view baseColourTool;
};
ToolPictures ToolPicturesFor(int tool);

// A value edit holds 0..255: the replacement text when `text` says more,
// nullopt when the text may stay as typed.
std::optional<std::string> ClampedValueEditText(std::string_view text);

} // namespace kw
