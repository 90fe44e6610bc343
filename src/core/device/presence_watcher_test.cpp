#include "core/device/commands.h"
#include "core/device/presence_watcher.h"
#include "core/device/recording_window.h"
#include "sim/simulated_hid_backend.h"

#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iostream>
#include <thread>

namespace kw {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

// A watcher over the simulated keyboard, polling faster than the real one
// when absent so that the tests do not wait out whole seconds.
struct WatchedKeyboard {
    explicit WatchedKeyboard(bool plugged, int firstPresenceHandled = 0) {
        if (!plugged) {
            keyboard.unplug();
        }
        state.firstPresenceHandled = firstPresenceHandled;
    }
    ~WatchedKeyboard() { watcher.stop(); }

    bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 5s) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }

    sim::SimulatedKeyboard keyboard;
    sim::SimulatedHidBackend backend{keyboard};
    HidDevice device{backend};
    DeviceLinkState state;
    Transport transport{device, state.interfaceOpen};
    testing::RecordingWindow window;
    PresenceWatcher watcher{device, transport, state, window, {10ms, 100ms, 50ms}};
};

TEST(PresenceWatcher, StartedWithTheKeyboardPresent) {
    WatchedKeyboard w(true);
    w.watcher.start();
    ASSERT_TRUE(w.window.waitFor("show"));
    EXPECT_THAT(w.window.calls(), ElementsAre("version", "refresh", "icon 141", "show"));
    EXPECT_EQ(w.state.interfaceOpen, 1);
    EXPECT_EQ(w.state.devicePresent, 1);
    EXPECT_TRUE(w.waitUntil([&] { return w.state.firstPresenceHandled == 1; }));
    EXPECT_EQ(w.state.keyboard.macroCapacity, 4096);
    const auto matrix = keyMatrixBytes(w.state.keyboard.defaultMatrix.get());
    EXPECT_EQ(matrix, w.keyboard.memory().defaultMatrix);
    // The initial report after the scan changes nothing more.
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(w.window.count("show"), 1u);
    EXPECT_EQ(w.window.count("refresh"), 1u);
}

TEST(PresenceWatcher, StartedAbsentThenPluggedDoesNotShowTheWindow) {
    WatchedKeyboard w(false);
    w.watcher.start();
    ASSERT_TRUE(w.waitUntil([&] { return w.state.firstPresenceHandled == 1; }));
    EXPECT_TRUE(w.window.calls().empty()); // the initial report of absence has no effect
    EXPECT_EQ(w.state.devicePresent, 0);

    w.keyboard.plug();
    ASSERT_TRUE(w.window.waitFor("icon 141"));
    EXPECT_THAT(w.window.calls(), ElementsAre("version", "refresh", "icon 141"));
    EXPECT_EQ(w.state.interfaceOpen, 1);
}

TEST(PresenceWatcher, StartedWithStartSwitchDoesNotShowTheWindow) {
    WatchedKeyboard w(true, 1);
    w.watcher.start();
    ASSERT_TRUE(w.window.waitFor("icon 141"));
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(w.window.count("show"), 0u);
}

TEST(PresenceWatcher, FailedFactoryTableReadKeepsTheBuiltInTable) {
    WatchedKeyboard w(false);
    w.watcher.start();
    ASSERT_TRUE(w.waitUntil([&] { return w.state.firstPresenceHandled == 1; }));
    w.keyboard.answerStatus(1, kStatusRefused); // the first chunk of the factory table
    w.keyboard.plug();
    ASSERT_TRUE(w.window.waitFor("icon 141"));
    EXPECT_EQ(w.window.count("matrix-prompt"), 1u);
    EXPECT_EQ(w.state.keyboard.defaultMatrix.get(), kBuiltInDefaultMatrix);
    EXPECT_EQ(w.state.keyboard.macroCapacity, 4096); // the information read still ran
}

TEST(PresenceWatcher, UnplugDuringAMultiChunkWriteAndReplug) {
    WatchedKeyboard w(true);
    w.watcher.start();
    ASSERT_TRUE(w.window.waitFor("show"));
    w.state.keyboard.currentProfile = 1;
    w.window.clear();

    // The keyboard leaves after the fifth chunk of a 73-chunk write.
    w.keyboard.unplugAfterCommands(5);
    const std::vector<std::uint8_t> area(4096, 0x11);
    auto write = std::async(std::launch::async, [&] {
        const int result = WriteMacroArea(w.transport, area);
        return std::pair{result, std::chrono::steady_clock::now()};
    });
    ASSERT_EQ(write.wait_for(10s), std::future_status::ready) << "the write hangs";
    const auto [result, unpluggedAt] = write.get();
    EXPECT_TRUE(result == kCommandNoAnswer || result == kCommandWriteFailed) << result;

    ASSERT_TRUE(w.window.waitFor("icon 128"));
    const auto noticed = std::chrono::steady_clock::now();
    std::cout
        << "absence reported "
        << std::chrono::duration_cast<std::chrono::milliseconds>(noticed - unpluggedAt).count()
        << " ms after the unplug\n";
    EXPECT_THAT(w.window.calls(), ElementsAre("close-editors", "hide", "icon 128"));
    EXPECT_EQ(w.state.interfaceOpen, 0);
    EXPECT_EQ(w.state.keyboard.currentProfile, -1);
    EXPECT_EQ(BeginTransfer(w.transport), kCommandNoAnswer);

    w.keyboard.plug();
    ASSERT_TRUE(w.window.waitFor("refresh"));
    ASSERT_TRUE(w.window.waitFor("icon 141"));
    EXPECT_EQ(w.state.interfaceOpen, 1);
    EXPECT_EQ(WriteMacroArea(w.transport, area), kCommandOk);
}

TEST(PresenceWatcher, QuickReplugAtTheSamePathIsNoticed) {
    WatchedKeyboard w(true);
    w.watcher.start();
    ASSERT_TRUE(w.window.waitFor("refresh"));
    // Gone and back between two existence tests: the old handle is dead all the same.
    w.keyboard.unplug();
    w.keyboard.plug();
    ASSERT_TRUE(w.window.waitFor("refresh", 2));
    EXPECT_EQ(w.window.count("hide"), 1u);
    EXPECT_EQ(BeginTransfer(w.transport), kCommandOk);
}

TEST(PresenceWatcher, BootModeLooksLikeARemoval) {
    WatchedKeyboard w(true);
    w.watcher.start();
    ASSERT_TRUE(w.window.waitFor("refresh"));
    EXPECT_EQ(EnterBootMode(w.transport), kCommandOk);
    ASSERT_TRUE(w.window.waitFor("hide"));
    EXPECT_TRUE(w.waitUntil([&] { return w.state.devicePresent == 0; }));
    EXPECT_TRUE(w.keyboard.inBootMode());
}

TEST(PresenceWatcher, AKeyboardClosedToUsIsToldOnceAndWhenItOpens) {
    WatchedKeyboard w(true);
    w.keyboard.setAccessDenied(true);
    w.watcher.start();
    ASSERT_TRUE(w.window.waitFor("denied sim:hidraw0"));
    // Scans go on every absent poll; the window hears of the state once.
    std::this_thread::sleep_for(200ms);
    EXPECT_THAT(w.window.calls(), ElementsAre("denied sim:hidraw0"));
    EXPECT_EQ(w.state.devicePresent, 0);

    // The rule is installed: the keyboard connects as on any arrival.
    w.keyboard.setAccessDenied(false);
    ASSERT_TRUE(w.window.waitFor("icon 141"));
    EXPECT_THAT(w.window.calls(),
                ElementsAre("denied sim:hidraw0", "denied ", "version", "refresh", "icon 141"));
}

TEST(PresenceWatcher, StopJoinsInEitherState) {
    for (bool plugged : {true, false}) {
        WatchedKeyboard w(plugged);
        w.watcher.start();
        ASSERT_TRUE(w.waitUntil([&] { return w.state.firstPresenceHandled == 1; }));
        auto stopped = std::async(std::launch::async, [&] { w.watcher.stop(); });
        ASSERT_EQ(stopped.wait_for(5s), std::future_status::ready) << plugged;
        EXPECT_EQ(w.state.interfaceOpen, 0) << plugged;
    }
}

// A backend that hides the keyboard's notice, as a platform without one would.
class WithoutNotice : public HidBackend {
public:
    explicit WithoutNotice(HidBackend& inner) : inner_(inner) {}
    std::optional<std::vector<HidInterfaceEntry>> enumerate() override {
        return inner_.enumerate();
    }
    HidOpenResult open(const std::string& path, const HidOpenOptions& options) override {
        return inner_.open(path, options);
    }
    bool exists(const std::string& path) override { return inner_.exists(path); }

private:
    HidBackend& inner_;
};

// A watcher with chosen timings, on the simulated keyboard with or without its notice.
struct TimedWatch {
    TimedWatch(PresenceTimings timings, bool notice)
        : backend(notice ? static_cast<HidBackend&>(simulated) : withoutNotice),
          watcher(device, transport, state, window, timings) {}
    ~TimedWatch() { watcher.stop(); }

    sim::SimulatedKeyboard keyboard;
    sim::SimulatedHidBackend simulated{keyboard};
    WithoutNotice withoutNotice{simulated};
    HidBackend& backend;
    HidDevice device{backend};
    DeviceLinkState state;
    Transport transport{device, state.interfaceOpen};
    testing::RecordingWindow window;
    PresenceWatcher watcher;
};

TEST(PresenceWatcher, UnplugAndPlugAreReportedByTheKeyboardsNotice) {
    // Every poll is an hour away: only the notice can report in time.
    TimedWatch w({1ms, 1h, 1h, 1h}, true);
    w.watcher.start();
    ASSERT_TRUE(w.window.waitFor("show"));
    // The watcher notes the new state just after its last window call.
    const auto presentBecomes = [&w](int value) {
        for (int i = 0; i < 2000 && w.state.devicePresent != value; ++i) {
            std::this_thread::sleep_for(1ms);
        }
        return w.state.devicePresent == value;
    };
    w.keyboard.unplug();
    ASSERT_TRUE(w.window.waitFor("icon 128"));
    EXPECT_TRUE(presentBecomes(0));
    w.keyboard.plug();
    ASSERT_TRUE(w.window.waitFor("icon 141", 2));
    EXPECT_TRUE(presentBecomes(1));
    // In the designed order: the removal's steps, then the arrival's.
    EXPECT_THAT(w.window.calls(),
                ElementsAre("version", "refresh", "icon 141", "show", "close-editors", "hide",
                            "icon 128", "version", "refresh", "icon 141"));
}

TEST(PresenceWatcher, WithoutANoticeItPolls) {
    TimedWatch w({1ms, 20ms, 20ms, 1h}, false);
    w.watcher.start();
    ASSERT_TRUE(w.window.waitFor("show"));
    w.keyboard.unplug();
    ASSERT_TRUE(w.window.waitFor("icon 128"));
    w.keyboard.plug();
    ASSERT_TRUE(w.window.waitFor("icon 141", 2));
}

} // namespace
} // namespace kw
