#pragma once
// Undo and redo of the configuration edits not yet applied. Each committed
// edit (a key editor commit, a restore of the defaults) is one step; the
// history keeps whole copies of the image's content, each with the modified
// flag as it was, so stepping back to what the keyboard holds also clears
// the flag. A successful apply, an import, a profile switch and a reload from
// the keyboard start the history afresh. Lighting never enters it: it goes to
// the keyboard at once.

#include "core/config/config_image.h"
#include "core/config/config_snapshot.h"
#include "core/sync/modified_flag.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

namespace kw {

class EditHistory {
public:
    using Listener = std::function<void(bool canUndo, bool canRedo)>;
    static constexpr std::size_t kDefaultDepth = 100;

    // Keeps at most `depth` steps to undo; the oldest go first.
    EditHistory(ConfigImage& image, ModifiedFlag& modified, std::size_t depth = kDefaultDepth);

    // Forgets every step: what the image holds now is where undo stops.
    void Clear();
    // After one committed edit. 1 when it became a step; 0 when the image
    // holds what it held before (nothing to undo) or the history has no start yet.
    int Record();
    // Back one step, forward one step: the image and the modified flag as they
    // were. 0 when there is nothing to go to, and when the image was changed
    // by something the history did not see: it is not overwritten, the steps
    // are forgotten instead.
    int Undo();
    int Redo();

    bool CanUndo() const;
    bool CanRedo() const;

    // Called after every change of CanUndo or CanRedo, outside the history's lock.
    int subscribe(Listener listener);
    void unsubscribe(int id);

private:
    struct State {
        ConfigSnapshot content;
        bool modified = false;
        bool allProfiles = false;
    };

    State takeState(const ConfigSnapshot* previous) const;
    int step(std::deque<State>& from, std::deque<State>& to);
    void notify();

    ConfigImage& image_;
    ModifiedFlag& modified_;
    const std::size_t depth_;
    mutable std::mutex mutex_;
    std::optional<State> current_; // what the image holds, as far as the history knows
    std::deque<State> undo_;       // oldest first
    std::deque<State> redo_;       // the next to redo last
    int nextId_ = 1;
    std::map<int, Listener> listeners_;
};

} // namespace kw
