#include "sim/control_command.h"

#include <gtest/gtest.h>

namespace kw::sim {
namespace {

TEST(ControlCommand, LinesDriveTheKeyboard) {
    SimulatedKeyboard keyboard;
    std::string error;
    EXPECT_TRUE(applyControlLine(keyboard, "unplug", error));
    EXPECT_FALSE(keyboard.plugged());
    EXPECT_TRUE(applyControlLine(keyboard, "  plug  ", error));
    EXPECT_TRUE(keyboard.plugged());
    EXPECT_TRUE(applyControlLine(keyboard, "deny", error));
    EXPECT_TRUE(keyboard.accessDenied());
    EXPECT_TRUE(applyControlLine(keyboard, "allow", error));
    EXPECT_FALSE(keyboard.accessDenied());
    EXPECT_TRUE(applyControlLine(keyboard, "event 0x1811", error));
    EXPECT_TRUE(keyboard.readReady(SimInterface::Events, keyboard.generation()));
    EXPECT_TRUE(applyControlLine(keyboard, "", error)) << "blank lines are allowed";
}

TEST(ControlCommand, MistakesAreReported) {
    const char* const bad[] = {"explode",  "drop",     "drop many",  "status 3",
                               "event -1", "unplug 2", "delay 0xZZ", "deny 1"};
    for (const char* line : bad) {
        SimulatedKeyboard keyboard;
        std::string error;
        EXPECT_FALSE(applyControlLine(keyboard, line, error)) << line;
        EXPECT_FALSE(error.empty()) << line;
        EXPECT_TRUE(keyboard.plugged()) << line;
    }
}

} // namespace
} // namespace kw::sim
