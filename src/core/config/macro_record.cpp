#include "core/config/macro_record.h"

#include <algorithm>

namespace kw {

std::u16string_view MacroRecord::nameView() const {
    std::u16string_view all(name.data(), name.size());
    return all.substr(0, all.find(u'\0'));
}

void MacroRecord::setName(std::u16string_view text) {
    std::size_t length = std::min(text.size(), kMacroNameChars - 1);
    // A cut between the halves of a surrogate pair would leave an unpaired one.
    if (length < text.size() && length > 0 && text[length - 1] >= 0xD800 &&
        text[length - 1] <= 0xDBFF) {
        --length;
    }
    name.fill(u'\0');
    std::copy_n(text.begin(), length, name.begin());
}

std::span<const MacroAction> MacroRecord::usedActions() const {
    return std::span<const MacroAction>(actions).first(
        std::min<std::size_t>(actionCount, actions.size()));
}

std::uint16_t macroPositionIn(std::span<const MacroRecord> macros, std::uint16_t macroId) {
    for (std::size_t i = 0; i < macros.size(); ++i) {
        if (macros[i].macroId == macroId) {
            return static_cast<std::uint16_t>(i);
        }
    }
    return 0;
}

} // namespace kw
