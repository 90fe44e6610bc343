#pragma once
// The editor's commit of its macro list: the keys bound to macros are brought
// in line with the list, then the list replaces the image's macros.

#include "core/macros/macro_bindings.h"

#include <cstddef>
#include <vector>

namespace kw {

class MacroWorkingSet;

struct MacroCommitResult {
    // 1 committed; 0 when memory for the new list ran out (the image keeps its macros).
    int result = 0;
    // The KeyMacro entries the commit changed. Every reset entry needs its key
    // caption redrawn; any change means the configuration is modified.
    MacroBindingChanges bindings;
    // A macro that stays in the list now sits at another position. The
    // keyboard's key tables name macros by position, so the tables of every
    // profile, not only the active one, must be written again.
    bool positionsChanged = false;

    bool modified() const { return bindings.any(); }
    // Whether writing the active profile's key table alone leaves a key table
    // of the keyboard naming the wrong macro or a macro that is gone.
    bool needsAllProfiles(int activeProfile) const;
};

// Stores the current macro's rows, reconciles the KeyMacro entries of all
// groups and installs the list as the image's macros (each under the image's
// lock); the list's macros then count as stored.
MacroCommitResult CommitMacroList(MacroWorkingSet& workingSet);

} // namespace kw
