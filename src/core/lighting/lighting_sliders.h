#pragma once
// How the brightness and speed sliders map to the record's values and which
// face picture each position shows. The speed slider runs backwards: its
// left end is the fastest setting the keyboard stores as 5.

#include <string>

namespace kw {

inline constexpr int kSliderMaxPosition = 5;

// Positions outside 0..5 are taken as the nearest end.
int ClampSliderPosition(int position);
int BrightnessOfPosition(int position);
int SpeedOfPosition(int position);
int PositionOfSpeed(int speed);

// "0.bmp" .. "5.bmp" for brightness positions, "6.bmp" .. "11.bmp" for speed positions.
std::string BrightnessSliderFace(int position);
std::string SpeedSliderFace(int position);

} // namespace kw
