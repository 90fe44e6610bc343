#pragma once
// Whole-number texts as the macro editor's edits and the command line give them.

#include <optional>
#include <string_view>

namespace kw {

// The value of an optional sign followed by decimal digits, with blanks around
// allowed; values beyond +-10^15 are held at that bound (they only need to
// compare as too large). nullopt for anything else, the empty text included.
std::optional<long long> ParseDecimal(std::string_view text);

} // namespace kw
