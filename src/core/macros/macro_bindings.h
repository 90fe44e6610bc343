#pragma once
// Keys bound to macros: the KeyMacro entries of the configuration block and
// how they follow the macro list when an edited list replaces the image's.

#include "core/config/config_block.h"
#include "core/config/macro_record.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kw {

// True when a KeyMacro entry of any group names `macroId` (low 16 bits of its value).
bool MacroHasBoundKeys(const ConfigBlock& block, std::uint16_t macroId);

struct MacroBindingChanges {
    // Entries reset to KeyDefault: their macro is gone, or its id now belongs
    // to a macro created since the last commit. Global entry numbers.
    std::vector<std::size_t> reset;
    // Entries without a macro id that were given the first macro's id.
    std::vector<std::size_t> assigned;

    bool any() const { return !reset.empty() || !assigned.empty(); }
};

// Makes every KeyMacro entry of all groups agree with `macros` (the list that
// is about to be committed, pendingFlag still marking the new ones). Other
// fields of a changed entry stay as they were.
MacroBindingChanges ReconcileMacroBindings(ConfigBlock& block, std::span<const MacroRecord> macros);

} // namespace kw
