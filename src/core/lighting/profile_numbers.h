#pragma once
// Numbers in the lighting settings files, read the way the program always
// read them: a leading decimal number (blanks and a sign allowed) and lists
// like "255,0,0,1" where reading stops at the first field that is not a number.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace kw {

// The decimal number at the start of `text`, or nullopt when there is none.
// Values beyond the int range wrap to their low 32 bits.
std::optional<int> LeadingInteger(std::string_view text);

// Reads comma-separated decimal numbers into `out` from the front; returns how
// many were read. Slots after the first unreadable field keep their content.
std::size_t ReadIntegerList(std::string_view text, std::span<int> out);

} // namespace kw
