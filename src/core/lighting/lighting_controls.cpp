#include "core/lighting/lighting_controls.h"

#include "core/lighting/lighting_state.h"
#include "core/lighting/user_lighting_file.h"

#include <algorithm>
#include <initializer_list>

namespace kw {

namespace {

bool isOneOf(std::uint8_t effect, std::initializer_list<int> codes) {
    return std::find(codes.begin(), codes.end(), effect) != codes.end();
}

bool hasDirectionPair(std::uint8_t effect) {
    return isOneOf(effect, {1, 2, 3, 12, 18});
}

} // namespace

bool IsLightingControlShown(int controlId, std::uint8_t effect, bool lightingView) {
    switch (controlId) {
    case kLightingTitle:
    case kLightingViewToggle:
        return true;
    default:
        break;
    }
    if (!lightingView) {
        return false;
    }
    switch (controlId) {
    // Reachable for every code, including the ones the keyboard may add.
    case kEffectSelector:
    case kBrightnessCaption:
    case kBrightnessSlider:
        return true;
    case kSpeedCaption:
    case kSpeedSlider:
        return isOneOf(effect, {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    case kDirectionCaption:
    case kFirstDirectionPicture:
    case kSecondDirectionPicture:
        return hasDirectionPair(effect);
    case kRedSwatch:
    case kYellowSwatch:
    case kGreenSwatch:
    case kBlueSwatch:
        return effect == 17;
    case kReactiveColourCaption:
    case kReactiveColourButton:
    case kReactiveMulticolourCaption:
    case kReactiveMulticolourToggle:
        return effect == 6 || effect == 16;
    case kGeneralColourCaption:
    case kGeneralColourButton:
    case kGeneralMulticolourCaption:
    case kGeneralMulticolourToggle:
        return isOneOf(effect, {1, 2, 3, 5, 7, 8, 9, 10, 13, 14, 15});
    case kPaintColourCaption:
    case kPaintColourButton:
    case kBaseColourCaption:
    case kBaseColourButton:
    case kToolCaption:
    case kColourToolPicture:
    case kBaseColourToolPicture:
    case kUserModeSelector:
        return effect == 20;
    default:
        return false;
    }
}

std::string_view DirectionPlacementSuffix(std::uint8_t effect) {
    if (isOneOf(effect, {1, 2, 3})) {
        return "2";
    }
    return effect == 12 ? "3" : "";
}

DirectionPlacement DirectionPlacementKeys(std::uint8_t effect) {
    const std::string suffix(DirectionPlacementSuffix(effect));
    return {"CONTROL_BLFXStatic" + suffix, "CONTROL_BLFXLStaPic" + suffix,
            "CONTROL_BLFXRStaPic" + suffix};
}

DirectionPictures DirectionPicturesFor(std::uint8_t effect, std::uint8_t direction) {
    const bool first = direction != kDirectionSecond;
    switch (effect) {
    case 12:
        return first ? DirectionPictures{"updown.bmp", "downup.bmp"}
                     : DirectionPictures{"upup.bmp", "downdown.bmp"};
    case 18:
        return first ? DirectionPictures{"kuosandown.bmp", "julong.bmp"}
                     : DirectionPictures{"kuosan.bmp", "julongdown.bmp"};
    default:
        return first ? DirectionPictures{"leftdown.bmp", "rightup.bmp"}
                     : DirectionPictures{"leftup.bmp", "rightdown.bmp"};
    }
}

std::string_view MulticolourPicture(bool on) {
    return on ? "sjsdown.bmp" : "sjsup.bmp";
}

std::string_view SwatchPicture(int swatch, int selectedSwatch) {
    struct Faces {
        std::string_view plain;
        std::string_view selected;
    };
    static constexpr Faces kFaces[kSwatchCount]{{"hong.bmp", "hongok.bmp"},
                                                {"huang.bmp", "huangok.bmp"},
                                                {"lv.bmp", "lvok.bmp"},
                                                {"lan.bmp", "lanok.bmp"}};
    const auto inRange = [](int s) { return s >= 0 && s < kSwatchCount ? s : 0; };
    const Faces& faces = kFaces[inRange(swatch)];
    return inRange(swatch) == inRange(selectedSwatch) ? faces.selected : faces.plain;
}

std::string_view LightingViewPicture(bool on) {
    return on ? "dengdown.bmp" : "dengup.bmp";
}

ToolPictures ToolPicturesFor(int tool) {
    return tool == kBaseColourTool ? ToolPictures{"user1up.bmp", "user2down.bmp"}
                                   : ToolPictures{"user1down.bmp", "user2up.bmp"};
}

std::optional<std::string> ClampedValueEditText(std::string_view text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const auto significant = text.find_first_not_of('0');
    if (significant == std::string_view::npos) {
        return std::nullopt;
    }
    // Any number of four digits or more is above 255, however long it is.
    const std::string_view digits = text.substr(significant);
    if (digits.size() < 3 || (digits.size() == 3 && std::stoi(std::string(digits)) < 256)) {
        return std::nullopt;
    }
    return std::string("255");
}

} // namespace kw
