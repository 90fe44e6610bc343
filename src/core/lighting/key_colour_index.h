#pragma once
// Which light of the keyboard belongs to which key button: every lit key has
// a colour index 0..139 (row x 20 + column on a 6 x 20 grid). An index of 140
// or more marks a key without a light; such keys are never painted or written.

#include <cstdint>
#include <span>

namespace kw {

inline constexpr int kColourIndexCount = 140;
inline constexpr int kNoLightIndex = 255;
inline constexpr int kFnColourIndex = 111;

// The colour index of a key button, a G-key button or the Fn key; -1 for an
// id that is none of these.
int ColourIndexOfButton(int controlId);
inline constexpr bool HasLight(int colourIndex) {
    return colourIndex >= 0 && colourIndex < kColourIndexCount;
}

// The buttons with a light, in the order the colours are loaded: the key
// buttons of the index table, G1..G5, then Fn.
std::span<const int> LitButtons();

} // namespace kw
