// Macro actions typed on the command line: any text either parses within the
// limits or names its fault, and what parses formats to a text that parses
// back to the same actions.

#include "core/macros/macro_text.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kw::ParsedMacroActions parsed = kw::ParseMacroActions(text);
    if (!parsed.ok()) {
        return 0;
    }
    if (parsed.actions.size() > kw::kMacroActionsMax) {
        std::abort();
    }
    const kw::ParsedMacroActions again =
        kw::ParseMacroActions(kw::FormatMacroActions(parsed.actions));
    if (!again.ok() || again.actions != parsed.actions) {
        std::abort();
    }
    return 0;
}
