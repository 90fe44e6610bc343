#pragma once
// The two-state flip of the function-key row: state 0 shows F1..F4, state 1
// the keys D1..D6 in their place. It survives restarts in "PROFILES"/"Flip".

#include <array>

namespace kw {

class SettingsStore;

inline constexpr int kFlip0Button = 1129;
inline constexpr int kFlip1Button = 1130;
inline constexpr int kFlip2Button = 1131;
inline constexpr int kLeftArrowPicture = 1132;
inline constexpr int kRightArrowPicture = 1133;
inline constexpr std::array<int, 4> kFKeyButtons = {1010, 1011, 1012, 1013};
inline constexpr std::array<int, 6> kDKeyButtons = {1016, 1017, 1018, 1019, 1020, 1021};

// 0 or 1: any stored value other than 0 (a hand-edited "7" too) shows the D keys.
int ReadFlipState(const SettingsStore& settings);

// Stores the other state (1 only when the stored one is 0, so an odd stored
// value is written back as 0) and returns it.
int ToggleFlipState(SettingsStore& settings);

} // namespace kw
