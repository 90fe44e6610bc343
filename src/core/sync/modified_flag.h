#pragma once
// The main window's "configuration modified" state as an observable value:
// editors set it, a successful apply or a reload clears it, and the window
// follows it with its Apply button.

#include <functional>
#include <map>
#include <mutex>

namespace kw {

class ModifiedFlag {
public:
    using Listener = std::function<void(bool modified)>;

    bool isSet() const;
    void set() { change(true); }
    // Set, and the next apply writes the key tables of every profile: the
    // macros moved, and the keyboard names macros by position in each table.
    void setAllProfiles();
    bool allProfiles() const;
    void clear() { change(false); }
    // Puts back a state read earlier with isSet and allProfiles (undo, redo).
    void restore(bool modified, bool allProfiles);

    // Called after every change of the value (not for repeated sets), outside the flag's lock.
    int subscribe(Listener listener);
    void unsubscribe(int id);

private:
    void change(bool value);

    mutable std::mutex mutex_;
    bool value_ = false;
    bool allProfiles_ = false; // only while value_
    int nextId_ = 1;
    std::map<int, Listener> listeners_;
};

} // namespace kw
