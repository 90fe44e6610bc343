#pragma once
// Where a bitmap slider draws a position and which position a pointer pixel
// means, plus the key and wheel steps; the widget only feeds events in.

namespace kw::skin {

struct SliderGeometry {
    int minimum = 0;
    int maximum = 0;
    int width = 0;  // face bitmap width
    int height = 0; // face bitmap height
    bool vertical = false;
};

enum class SliderKey { PageUp, PageDown, Home, End, Left, Up, Right, Down };

int clampSliderPosition(const SliderGeometry& geometry, int position);

// Pixel along the slider's axis for a position, truncated towards zero.
int pixelOfPosition(const SliderGeometry& geometry, int position);

// Position for a pointer pixel, clamped to the range. The horizontal rule is
// biased by 10 pixels so that a press slightly left of a notch still takes it.
int positionOfPixel(const SliderGeometry& geometry, int x, int y);

// The position after a navigation key, clamped.
int positionAfterKey(const SliderGeometry& geometry, int position, int page, SliderKey key);

// One wheel event moves by at most one step: a notch up (+120 or more) is -1,
// a notch down (-120 or less) is +1, finer deltas move nothing.
int wheelStep(int delta);

} // namespace kw::skin
