#include "core/device/event_listener.h"
#include "core/device/recording_window.h"
#include "sim/simulated_hid_backend.h"

#include <future>
#include <gtest/gtest.h>

namespace kw {
namespace {

using namespace std::chrono_literals;

struct ListenedKeyboard {
    ~ListenedKeyboard() { listener.stop(); }

    sim::SimulatedKeyboard keyboard;
    sim::SimulatedHidBackend backend{keyboard};
    DeviceLinkState state;
    testing::RecordingWindow window;
    EventListener listener{backend, state, window, 20ms};
};

TEST(EventListener, KeyboardEventsBecomeHostActions) {
    ListenedKeyboard l;
    l.listener.start();
    struct Case {
        std::uint16_t code;
        const char* call;
    };
    const Case cases[] = {{0x0401, "lighting"}, {0x1811, "event-icon"}, {0x1810, "restore-icon"}};
    // The listener may still be opening the interface: resend until it hears.
    ASSERT_TRUE([&] {
        for (int i = 0; i < 100; ++i) {
            l.keyboard.sendEvent(0x0401);
            if (l.window.waitFor("lighting", 1, 50ms)) {
                return true;
            }
        }
        return false;
    }());
    l.window.clear();
    for (const auto& c : cases) {
        l.keyboard.sendEvent(0x1802); // a code with no action
        l.keyboard.sendEvent(c.code);
        EXPECT_TRUE(l.window.waitFor(c.call)) << c.call;
    }
    EXPECT_EQ(l.window.calls().size(), 3u);
}

TEST(EventListener, TrayIconWorkersTakeTurns) {
    ListenedKeyboard l;
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    l.window.onEventIcon = [&] {
        if (++inside > 1) {
            ++overlaps;
        }
        std::this_thread::sleep_for(30ms);
        --inside;
    };
    l.listener.dispatch(kEventShowEventIcon);
    l.listener.dispatch(kEventShowEventIcon);
    l.listener.dispatch(kEventShowEventIcon);
    ASSERT_TRUE(l.window.waitFor("event-icon", 3));
    l.listener.stop(); // joins the workers
    EXPECT_EQ(overlaps, 0);
    EXPECT_EQ(l.state.trayIconBusy, 0);
}

TEST(EventListener, SurvivesUnplugAndStopsWhileBlocked) {
    ListenedKeyboard l;
    l.listener.start();
    l.keyboard.unplug();
    l.keyboard.plug();
    ASSERT_TRUE([&] {
        for (int i = 0; i < 100; ++i) {
            l.keyboard.sendEvent(0x1811);
            if (l.window.waitFor("event-icon", 1, 50ms)) {
                return true;
            }
        }
        return false;
    }()) << "events after a re-plug";
    // Now blocked in a read without time-out.
    auto stopped = std::async(std::launch::async, [&] { l.listener.stop(); });
    ASSERT_EQ(stopped.wait_for(5s), std::future_status::ready);
}

} // namespace
} // namespace kw
