// The simulated keyboard's boot mode: it leaves normal mode on the boot-mode
// command and, when told to, comes back by itself as a flashed keyboard does.
// Delayed answers: readers that wait on the ready listener hear of each one
// when it falls due.

#include "core/device/commands.h"
#include "sim/simulated_keyboard.h"

#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

namespace kw::sim {
namespace {

using namespace std::chrono_literals;

void sendBootMode(SimulatedKeyboard& keyboard) {
    CommandPacket packet{};
    packet[0] = 4;
    packet[3] = packet[4] = 0xEE;
    ASSERT_TRUE(keyboard.hostWrite(SimInterface::Configuration, keyboard.generation(), packet));
}

// Waits (with a generous bound, this is no timing check) for `done`.
template <typename Predicate>
bool eventually(Predicate done) {
    for (int i = 0; i < 500 && !done(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    return done();
}

TEST(SimulatedKeyboardBootMode, StaysAwayUntilPluggedByDefault) {
    SimulatedKeyboard keyboard;
    const auto before = keyboard.generation();
    sendBootMode(keyboard);
    EXPECT_FALSE(keyboard.plugged());
    EXPECT_TRUE(keyboard.inBootMode());
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(keyboard.plugged());
    keyboard.plug();
    EXPECT_FALSE(keyboard.inBootMode());
    EXPECT_GT(keyboard.generation(), before);
}

TEST(SimulatedKeyboardBootMode, ComesBackInNormalModeAfterTheSetTime) {
    SimulatedKeyboard keyboard;
    keyboard.setBootModeReturn(20ms);
    const auto before = keyboard.generation();
    sendBootMode(keyboard);
    EXPECT_TRUE(keyboard.inBootMode());
    ASSERT_TRUE(eventually([&] { return keyboard.plugged(); }));
    EXPECT_FALSE(keyboard.inBootMode());
    // A new connection: handles of the old one stay dead.
    EXPECT_GT(keyboard.generation(), before);
}

TEST(SimulatedKeyboardBootMode, APlugMeanwhileIsNotUndoneAndDestructionDoesNotWait) {
    {
        SimulatedKeyboard keyboard;
        keyboard.setBootModeReturn(20ms);
        sendBootMode(keyboard);
        keyboard.plug();
        const auto generation = keyboard.generation();
        std::this_thread::sleep_for(60ms);
        EXPECT_TRUE(keyboard.plugged());
        EXPECT_EQ(keyboard.generation(), generation);
    }
    // A keyboard destroyed while it waits to come back stops waiting (a hang
    // here would stop the test).
    SimulatedKeyboard keyboard;
    keyboard.setBootModeReturn(1h);
    sendBootMode(keyboard);
}

TEST(SimulatedKeyboardDelay, EachDelayedAnswerIsAnnouncedWhenItIsDue) {
    SimulatedKeyboard keyboard;
    keyboard.setAnswerDelay(30ms);
    std::mutex mutex;
    std::vector<bool> readyWhenAnnounced;
    keyboard.setReadyListener([&] {
        const bool ready = keyboard.readReady(SimInterface::Configuration, keyboard.generation());
        std::lock_guard lock(mutex);
        readyWhenAnnounced.push_back(ready);
    });
    const CommandPacket info = buildCommandPacket(kCmdReadDeviceInfo, 0, 0, {});
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(keyboard.hostWrite(SimInterface::Configuration, keyboard.generation(), info));
    }
    ASSERT_TRUE(eventually([&] {
        std::lock_guard lock(mutex);
        return readyWhenAnnounced.size() >= 2;
    }));
    keyboard.setReadyListener(nullptr);
    std::lock_guard lock(mutex);
    EXPECT_EQ(readyWhenAnnounced, std::vector<bool>(readyWhenAnnounced.size(), true))
        << "announced before the answer could be read";
}

} // namespace
} // namespace kw::sim
