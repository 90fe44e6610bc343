#include "gui/mainwnd/session_lock_record.h"

namespace kw::gui {

void SessionLockRecord::handle(SessionEvent event) {
    switch (event) {
    case SessionEvent::Lock:
        awaited_ = SessionEvent::Unlock;
        suspended_ = true;
        break;
    case SessionEvent::ConsoleDisconnect:
        awaited_ = SessionEvent::ConsoleConnect;
        suspended_ = true;
        break;
    case SessionEvent::Unlock:
    case SessionEvent::ConsoleConnect:
        if (event == awaited_) {
            suspended_ = false;
        }
        break;
    }
}

} // namespace kw::gui
