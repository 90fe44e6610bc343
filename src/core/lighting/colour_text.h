#pragma once
// Colours as people type and read them: "#RRGGBB".

#include "core/lighting/rgb.h"

#include <optional>
#include <string>
#include <string_view>

namespace kw {

// "#12AbEF" -> red 0x12, green 0xAB, blue 0xEF; nullopt for anything else.
std::optional<Colorref> ParseColourText(std::string_view text);
// Upper-case "#RRGGBB".
std::string ColourText(Colorref colour);

} // namespace kw
