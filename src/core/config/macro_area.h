#pragma once
// The keyboard's macro storage, shared by all profiles: a 16-byte header, a
// table of offsets and, per macro, its actions in 4 bytes each and optionally
// its name. Areas read from the keyboard are untrusted: the decoder stays
// inside the bytes it is given, whatever the offsets and counts claim.

#include "core/config/config_image.h"
#include "core/config/macro_record.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kw {

inline constexpr std::uint16_t kMacroAreaMagic = 0x55AA;
inline constexpr std::size_t kMacroAreaHeaderSize = 16;

struct MacroAreaSizes {
    std::size_t minimal = 0; // without names
    std::size_t full = 0;    // with names
};

MacroAreaSizes macroAreaSizes(std::span<const MacroRecord> macros);

// The area of exactly `size` bytes (what does not fit is left out).
std::vector<std::uint8_t> buildMacroArea(std::span<const MacroRecord> macros, std::size_t size,
                                         bool namesIncluded);
// The same from the device image, under its lock.
std::vector<std::uint8_t> buildMacroArea(const DeviceImage& image, std::size_t size,
                                         bool namesIncluded);

// The macros of an area, with macroIds 1, 2, ... in area order. At most 100
// macros and 2000 actions each are taken, and only what lies inside `area`:
// a macro whose header lies outside is empty, actions and name characters
// past the end are left out. A macro without a stored name is called
// `namePrefix` followed by its number.
std::vector<MacroRecord> decodeMacroArea(std::span<const std::uint8_t> area,
                                         std::uint16_t macroCount, std::u16string_view namePrefix);

} // namespace kw
