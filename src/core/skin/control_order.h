#pragma once
// Keyboard navigation over controls placed by the skin: the order Tab visits
// them in, and the neighbour an arrow key moves to on the drawn keyboard.

#include "core/skin/skin_layout.h"

#include <cstddef>
#include <span>
#include <vector>

namespace kw::skin {

// Reading order of the rectangles as indices: the set is cut recursively at
// its widest empty band, across or down, so the regions of a window (title
// bar, keyboard, the cards below it) are visited whole, each top to bottom
// and left to right.
std::vector<std::size_t> ReadingOrder(std::span<const SkinRect> rects);

enum class Direction { Left, Right, Up, Down };

// The rectangle an arrow key moves to from `from`, or -1 when there is none
// that way. Left and right stay on the rectangles that share some height with
// `from`; up and down go to the nearest row that way and there to the
// rectangle nearest in x. Empty rectangles are never chosen.
int NeighbourInDirection(std::span<const SkinRect> rects, std::size_t from, Direction direction);

} // namespace kw::skin
