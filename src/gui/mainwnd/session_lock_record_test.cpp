#include "gui/mainwnd/session_lock_record.h"

#include <gtest/gtest.h>
#include <vector>

namespace kw::gui {
namespace {

using E = SessionEvent;

TEST(SessionLockRecordTest, OnlyTheAwaitedEventEndsTheSuspension) {
    struct Case {
        std::vector<SessionEvent> events;
        bool suspended;
    };
    const Case cases[] = {
        {{}, false},
        {{E::Lock}, true},
        {{E::Lock, E::Unlock}, false},
        {{E::ConsoleDisconnect, E::ConsoleConnect}, false},
        // The wrong end leaves it suspended.
        {{E::Lock, E::ConsoleConnect}, true},
        {{E::ConsoleDisconnect, E::Unlock}, true},
        // A later lock replaces the record.
        {{E::ConsoleDisconnect, E::Lock, E::ConsoleConnect}, true},
        {{E::ConsoleDisconnect, E::Lock, E::Unlock}, false},
        // Ends without a start change nothing.
        {{E::Unlock, E::ConsoleConnect}, false},
    };
    for (const Case& c : cases) {
        SessionLockRecord record;
        for (const SessionEvent e : c.events) {
            record.handle(e);
        }
        EXPECT_EQ(record.suspended(), c.suspended) << ::testing::PrintToString(c.events);
    }
}

} // namespace
} // namespace kw::gui
