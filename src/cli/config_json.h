#pragma once
// The configuration image as JSON, for `dump`: the header, every key entry
// that differs from a fresh one, every macro and every string.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

namespace kw {
struct ConfigImage;
class Language;
} // namespace kw

namespace kw::cli {

// The name of a key entry type ("KeySingle"), "unknown" for a value no type has.
std::string_view keyEntryTypeName(std::uint16_t type);

// Key and function names come from `language` in its current language.
nlohmann::ordered_json configurationJson(const ConfigImage& image, const Language& language);

} // namespace kw::cli
