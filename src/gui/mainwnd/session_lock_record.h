#pragma once
// Which session event ends the window's current suspension: a screen lock
// waits for its unlock, a switch away from the seat for the switch back; a
// later lock or switch away replaces the record. Nothing else hangs on it.

namespace kw::gui {

enum class SessionEvent { ConsoleConnect, ConsoleDisconnect, Lock, Unlock };

class SessionLockRecord {
public:
    void handle(SessionEvent event);
    bool suspended() const { return suspended_; }

private:
    SessionEvent awaited_ = SessionEvent::Unlock;
    bool suspended_ = false;
};

} // namespace kw::gui
