#include "core/macros/macro_bindings.h"

#include <algorithm>

namespace kw {

bool MacroHasBoundKeys(const ConfigBlock& block, std::uint16_t macroId) {
    // Every group is searched: the commit resets the keys of all profiles that
    // name a deleted macro, so the user is asked whichever profile is active.
    return std::any_of(block.entries.begin(), block.entries.end(), [&](const KeyEntry& e) {
        return e.type == KeyEntryType::KeyMacro && (e.value & 0xFFFF) == macroId;
    });
}

MacroBindingChanges ReconcileMacroBindings(ConfigBlock& block,
                                           std::span<const MacroRecord> macros) {
    MacroBindingChanges changes;
    for (std::size_t i = 0; i < block.entries.size(); ++i) {
        KeyEntry& e = block.entries[i];
        if (e.type != KeyEntryType::KeyMacro) {
            continue;
        }
        if (e.value == 0) {
            if (!macros.empty()) {
                e.value = macros.front().macroId;
                changes.assigned.push_back(i);
            }
            continue;
        }
        const auto macro = std::find_if(macros.begin(), macros.end(),
                                        [&](const MacroRecord& m) { return m.macroId == e.value; });
        // A new macro may have taken the id of a deleted one; the key was bound
        // to the deleted macro, not to it.
        if (macro == macros.end() || macro->pendingFlag == 1) {
            e.type = KeyEntryType::KeyDefault;
            changes.reset.push_back(i);
        }
    }
    return changes;
}

} // namespace kw
