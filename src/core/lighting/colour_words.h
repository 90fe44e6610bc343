#pragma once
// A colour in words for people who cannot see it: the language key of the
// nearest plain colour name ("COLOUR_RED", "COLOUR_GREY", ...).

#include "core/lighting/rgb.h"

#include <string_view>

namespace kw {

std::string_view ColourWordKey(Colorref colour);

} // namespace kw
