#include "core/sync/edit_history.h"

#include <utility>
#include <vector>

namespace kw {

EditHistory::EditHistory(ConfigImage& image, ModifiedFlag& modified, std::size_t depth)
    : image_(image), modified_(modified), depth_(depth) {}

EditHistory::State EditHistory::takeState(const ConfigSnapshot* previous) const {
    return {ConfigSnapshot::Take(image_, previous), modified_.isSet(), modified_.allProfiles()};
}

void EditHistory::Clear() {
    State now = takeState(nullptr);
    bool hadSteps = false;
    {
        std::lock_guard guard(mutex_);
        hadSteps = !undo_.empty() || !redo_.empty();
        undo_.clear();
        redo_.clear();
        current_ = std::move(now);
    }
    if (hadSteps) {
        notify();
    }
}

int EditHistory::Record() {
    std::optional<State> before;
    {
        std::lock_guard guard(mutex_);
        before = current_;
    }
    if (!before) {
        return 0;
    }
    // Copied outside the history's lock: the image's lock is always taken first.
    State after = takeState(&before->content);
    {
        std::lock_guard guard(mutex_);
        // An edit that changed nothing (OK without a change) is no step: the
        // state before it keeps its flag, so undo still ends at "not modified".
        if (after.content.SameContent(current_->content)) {
            return 0;
        }
        undo_.push_back(std::move(*current_));
        if (undo_.size() > depth_) {
            undo_.pop_front();
        }
        redo_.clear();
        current_ = std::move(after);
    }
    notify();
    return 1;
}

int EditHistory::Undo() {
    return step(undo_, redo_);
}

int EditHistory::Redo() {
    return step(redo_, undo_);
}

int EditHistory::step(std::deque<State>& from, std::deque<State>& to) {
    std::optional<State> target;
    {
        std::lock_guard imageGuard(image_.lock);
        std::lock_guard guard(mutex_);
        if (from.empty() || !current_) {
            return 0;
        }
        State now = takeState(&current_->content);
        if (!now.content.SameContent(current_->content)) {
            // Going back would silently drop a change made around the history.
            undo_.clear();
            redo_.clear();
            current_ = std::move(now);
        } else {
            to.push_back(std::move(*current_));
            current_ = std::move(from.back());
            from.pop_back();
            current_->content.RestoreTo(image_);
            target = current_;
        }
    }
    if (target) {
        modified_.restore(target->modified, target->allProfiles);
    }
    notify();
    return target ? 1 : 0;
}

bool EditHistory::CanUndo() const {
    std::lock_guard guard(mutex_);
    return !undo_.empty();
}

bool EditHistory::CanRedo() const {
    std::lock_guard guard(mutex_);
    return !redo_.empty();
}

int EditHistory::subscribe(Listener listener) {
    std::lock_guard guard(mutex_);
    const int id = nextId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void EditHistory::unsubscribe(int id) {
    std::lock_guard guard(mutex_);
    listeners_.erase(id);
}

void EditHistory::notify() {
    std::vector<Listener> toCall;
    bool canUndo = false;
    bool canRedo = false;
    {
        std::lock_guard guard(mutex_);
        canUndo = !undo_.empty();
        canRedo = !redo_.empty();
        for (const auto& [id, listener] : listeners_) {
            toCall.push_back(listener);
        }
    }
    // A listener may ask the history again without deadlocking.
    for (const auto& listener : toCall) {
        listener(canUndo, canRedo);
    }
}

} // namespace kw
