#include "core/sync/modified_flag.h"

#include <vector>

namespace kw {

bool ModifiedFlag::isSet() const {
    std::lock_guard guard(mutex_);
    return value_;
}

void ModifiedFlag::setAllProfiles() {
    {
        std::lock_guard guard(mutex_);
        allProfiles_ = true;
    }
    change(true);
}

void ModifiedFlag::restore(bool modified, bool allProfiles) {
    {
        std::lock_guard guard(mutex_);
        allProfiles_ = allProfiles;
    }
    change(modified);
}

bool ModifiedFlag::allProfiles() const {
    std::lock_guard guard(mutex_);
    return value_ && allProfiles_;
}

int ModifiedFlag::subscribe(Listener listener) {
    std::lock_guard guard(mutex_);
    const int id = nextId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void ModifiedFlag::unsubscribe(int id) {
    std::lock_guard guard(mutex_);
    listeners_.erase(id);
}

void ModifiedFlag::change(bool value) {
    std::vector<Listener> toCall;
    {
        std::lock_guard guard(mutex_);
        if (!value) {
            allProfiles_ = false;
        }
        if (value_ == value) {
            return;
        }
        value_ = value;
        for (const auto& [id, listener] : listeners_) {
            toCall.push_back(listener);
        }
    }
    // A listener may read the flag or change it again without deadlocking.
    for (const auto& listener : toCall) {
        listener(value);
    }
}

} // namespace kw
