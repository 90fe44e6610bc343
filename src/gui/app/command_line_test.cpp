#include "gui/app/command_line.h"

#include <gtest/gtest.h>

namespace kw::app {
namespace {

using S = InstanceSwitch;

struct SwitchCase {
    std::vector<std::string> args;
    std::vector<InstanceSwitch> expected;
};

TEST(CommandLineTest, InstanceSwitchesAreWholeWordsInAnyCaseAndKeepTheirOrder) {
    const SwitchCase cases[] = {
        {{}, {}},
        {{"/Start"}, {S::Start}},
        {{"/kill"}, {S::Kill}},
        {{"/START", "/KiLl"}, {S::Start, S::Kill}},
        {{"/Kill", "/start"}, {S::Kill, S::Start}},
        // Only whole words with the slash count.
        {{"/Started", "-Start", "Start", "/Kil", "--kill", "x/Kill"}, {}},
    };
    for (const SwitchCase& c : cases) {
        EXPECT_EQ(parseCommandLine(c.args).switches, c.expected)
            << ::testing::PrintToString(c.args);
    }
}

TEST(CommandLineTest, KeyboardAndScreenshotOptions) {
    CommandLine line = parseCommandLine({"--simulate=/tmp/kb.state", "--screenshot", "out.png"});
    EXPECT_TRUE(line.keyboard.simulate);
    EXPECT_EQ(line.keyboard.simulateState, std::filesystem::path("/tmp/kb.state"));
    EXPECT_EQ(line.screenshot, std::filesystem::path("out.png"));
    EXPECT_TRUE(line.error.empty());

    line = parseCommandLine({"--simulate", "/Start"});
    EXPECT_TRUE(line.keyboard.simulate);
    EXPECT_FALSE(line.keyboard.simulateState);
    EXPECT_EQ(line.switches, std::vector<InstanceSwitch>{S::Start});

    line = parseCommandLine({"--hid-root=/srv/tree"});
    EXPECT_FALSE(line.keyboard.simulate);
    EXPECT_EQ(line.keyboard.hidRoot, std::filesystem::path("/srv/tree"));
    EXPECT_EQ(parseCommandLine({"--hid-root", "/srv/tree"}).keyboard.hidRoot,
              std::filesystem::path("/srv/tree"));
}

TEST(CommandLineTest, OptionsWithoutTheirValueAreErrorsAndStrangersAreIgnored) {
    EXPECT_FALSE(parseCommandLine({"--hid-root"}).error.empty());
    EXPECT_FALSE(parseCommandLine({"--screenshot="}).error.empty());
    const CommandLine line = parseCommandLine({"--something", "file.txt"});
    EXPECT_TRUE(line.error.empty());
    EXPECT_TRUE(line.switches.empty());
    EXPECT_FALSE(line.keyboard.simulate);
}

} // namespace
} // namespace kw::app
