#include "core/skin/slider_mapping.h"

#include <algorithm>

namespace kw::skin {

namespace {

// An empty range or a face without size has only one position: its minimum.
bool degenerate(const SliderGeometry& geometry) {
    const int extent = geometry.vertical ? geometry.height : geometry.width;
    return geometry.maximum <= geometry.minimum || extent <= 0;
}

} // namespace

int clampSliderPosition(const SliderGeometry& geometry, int position) {
    if (geometry.maximum <= geometry.minimum) {
        return geometry.minimum;
    }
    return std::clamp(position, geometry.minimum, geometry.maximum);
}

int pixelOfPosition(const SliderGeometry& geometry, int position) {
    if (degenerate(geometry)) {
        return 0;
    }
    const long long span = geometry.maximum - geometry.minimum;
    const long long extent = geometry.vertical ? geometry.height : geometry.width;
    return static_cast<int>((static_cast<long long>(position) - geometry.minimum) * extent / span);
}

int positionOfPixel(const SliderGeometry& geometry, int x, int y) {
    if (degenerate(geometry)) {
        return geometry.minimum;
    }
    const long long span = geometry.maximum - geometry.minimum;
    const long long offset = geometry.vertical
                                 ? static_cast<long long>(y) * span / geometry.height
                                 : (static_cast<long long>(x) + 10) * span / geometry.width;
    const long long position = geometry.minimum + offset;
    return static_cast<int>(std::clamp<long long>(position, geometry.minimum, geometry.maximum));
}

int positionAfterKey(const SliderGeometry& geometry, int position, int page, SliderKey key) {
    switch (key) {
    case SliderKey::PageUp:
        return clampSliderPosition(geometry, position - page);
    case SliderKey::PageDown:
        return clampSliderPosition(geometry, position + page);
    case SliderKey::Home:
        return geometry.minimum;
    case SliderKey::End:
        return clampSliderPosition(geometry, geometry.maximum);
    case SliderKey::Left:
    case SliderKey::Up:
        return clampSliderPosition(geometry, position - 1);
    case SliderKey::Right:
    case SliderKey::Down:
        return clampSliderPosition(geometry, position + 1);
    }
    return clampSliderPosition(geometry, position);
}

int wheelStep(int delta) {
    if (delta >= 120) {
        return -1;
    }
    if (delta <= -120) {
        return 1;
    }
    return 0;
}

} // namespace kw::skin
