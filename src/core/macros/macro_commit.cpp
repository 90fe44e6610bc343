#include "core/macros/macro_commit.h"

#include "core/macros/macro_working_set.h"

#include <algorithm>
#include <mutex>
#include <new>

namespace kw {

namespace {

bool positionsChanged(const std::vector<MacroRecord>& before,
                      const std::vector<MacroRecord>& after) {
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i].pendingFlag == 1) {
            continue; // new: no key table can name it yet
        }
        const auto old = std::find_if(before.begin(), before.end(), [&](const MacroRecord& m) {
            return m.macroId == after[i].macroId;
        });
        if (old != before.end() && static_cast<std::size_t>(old - before.begin()) != i) {
            return true;
        }
    }
    return false;
}

} // namespace

bool MacroCommitResult::needsAllProfiles(int activeProfile) const {
    if (positionsChanged) {
        return true;
    }
    const auto elsewhere = [activeProfile](std::size_t entry) {
        return static_cast<int>(entry / kEntriesPerGroup) != activeProfile;
    };
    return std::any_of(bindings.reset.begin(), bindings.reset.end(), elsewhere) ||
           std::any_of(bindings.assigned.begin(), bindings.assigned.end(), elsewhere);
}

MacroCommitResult CommitMacroList(MacroWorkingSet& workingSet) {
    MacroCommitResult out;
    ConfigImage& image = workingSet.config();
    std::vector<MacroRecord> fresh;
    try {
        fresh.reserve(workingSet.macros().size());
    } catch (const std::bad_alloc&) {
        return out;
    }
    workingSet.StoreActions(workingSet.currentMacro());
    const std::vector<MacroRecord>& list = workingSet.macros();
    {
        std::lock_guard guard(image.lock);
        if (image.block) {
            out.bindings = ReconcileMacroBindings(*image.block, list);
        }
        out.positionsChanged = positionsChanged(image.macros, list);
    }
    fresh.assign(list.begin(), list.end());
    for (MacroRecord& m : fresh) {
        m.pendingFlag = 0;
    }
    workingSet.markCommitted();
    {
        std::lock_guard guard(image.lock);
        image.macros = std::move(fresh);
    }
    out.result = 1;
    return out;
}

} // namespace kw
