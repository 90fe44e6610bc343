#include "core/lighting/lighting_sliders.h"

#include <algorithm>

namespace kw {

namespace {

// The speed faces follow the six brightness faces in the skin folder.
constexpr int kFirstSpeedFace = 6;

} // namespace

int ClampSliderPosition(int position) {
    return std::clamp(position, 0, kSliderMaxPosition);
}

int BrightnessOfPosition(int position) {
    return ClampSliderPosition(position);
}

int SpeedOfPosition(int position) {
    return kSliderMaxPosition - ClampSliderPosition(position);
}

int PositionOfSpeed(int speed) {
    return kSliderMaxPosition - ClampSliderPosition(speed);
}

std::string BrightnessSliderFace(int position) {
    return std::to_string(ClampSliderPosition(position)) + ".bmp";
}

std::string SpeedSliderFace(int position) {
    return std::to_string(kFirstSpeedFace + ClampSliderPosition(position)) + ".bmp";
}

} // namespace kw
