// lighting, colours and report-rate against a simulated keyboard whose memory
// lives in a state file, with the user lighting files in a test data folder.

#include "cli/run_cli_for_test.h"
#include "core/base/atomic_file.h"
#include "sim/keyboard_memory.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace kw::cli {
namespace {

using testing::CliRun;

class LightingCommands : public ::testing::Test {
protected:
    CliRun run(const std::string& arguments) {
        return testing::runCli("--simulate=" + state.string() + " " + arguments,
                               "XDG_DATA_HOME=" + data.path().string() +
                                   " XDG_CONFIG_HOME=" + data.path().string());
    }
    void runOk(const std::string& arguments) {
        const CliRun r = run(arguments);
        ASSERT_EQ(r.exitCode, 0) << arguments << ": " << r.err;
    }
    sim::KeyboardMemory memory() const {
        auto loaded = sim::loadMemory(state);
        EXPECT_TRUE(loaded);
        return loaded.value_or(sim::KeyboardMemory{});
    }
    static std::string colourAt(const sim::KeyboardMemory& m, int profile, int index) {
        const auto& page = m.keyColours[static_cast<std::size_t>(profile)];
        const auto at = static_cast<std::size_t>(index) * 3;
        char text[8];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", page[at], page[at + 1], page[at + 2]);
        return text;
    }
    std::filesystem::path userFile(int profile) const {
        return data.path() / "Velkor Keyboard" /
               ("UserDengColor_" + std::to_string(profile) + ".userd");
    }

    kw::testing::TempDir dir;
    kw::testing::TempDir data;
    std::filesystem::path state = dir / "keyboard.state";
};

TEST_F(LightingCommands, PaintingAndTheBaseColourReachTheKeyboardAndTheFile) {
    runOk("profile 2");
    runOk("lighting set effect=20");
    runOk("colours paint A '#00FF00'");
    runOk("colours paint G1 '#0000FF' --base");

    const auto m = memory();
    EXPECT_EQ(colourAt(m, 2, 61), "#00FF00") << "A, painted";
    EXPECT_EQ(colourAt(m, 2, 74), "#0000FF") << "G1 follows the new base colour";
    EXPECT_EQ(colourAt(m, 2, 0), "#0000FF") << "Esc followed the base colour all along";
    EXPECT_EQ(colourAt(m, 0, 0), "#FFFFFF") << "other profiles are not touched";
    const auto file = readFileBytes(userFile(2));
    ASSERT_TRUE(file);
    const std::string text(file->begin(), file->end());
    EXPECT_NE(text.find("\n61=0,255,0,0"), std::string::npos);
    EXPECT_NE(text.find("\n74=0,0,255,1"), std::string::npos);

    runOk("colours rename 4 'Late night'");
    runOk("colours mode 1");
    const CliRun show = run("lighting show");
    ASSERT_EQ(show.exitCode, 0) << show.err;
    const auto json = nlohmann::json::parse(show.out);
    EXPECT_EQ(json["profile"], 2);
    EXPECT_EQ(json["effect"], 20);
    EXPECT_EQ(json["userMode"]["mode"], 1);
    EXPECT_EQ(json["userMode"]["names"][4], "Late night");
    EXPECT_EQ(colourAt(memory(), 2, 61), "#00FF00") << "mode 1 of the default file is green";
}

TEST_F(LightingCommands, PaintingOutsideTheUserModeChangesNothing) {
    runOk("lighting set effect=3");
    const auto before = readFileBytes(userFile(0));
    const CliRun r = run("colours paint A '#00FF00'");
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("lighting set effect=20"), std::string::npos) << r.err;
    EXPECT_EQ(readFileBytes(userFile(0)), before);
    EXPECT_EQ(colourAt(memory(), 0, 61), "#FFFFFF");
}

TEST_F(LightingCommands, ReportRateAndDefaultsGoToTheActiveProfilesRecord) {
    runOk("profile 1");
    runOk("lighting set brightness=1 speed=5 swatch=2 colour='#102030'");
    runOk("report-rate 3");
    auto lighting = memory().lighting;
    EXPECT_EQ(lighting[42 + 1], 1);
    EXPECT_EQ(lighting[42 + 2], 5);
    EXPECT_EQ(lighting[42 + 4], 0) << "a colour turns many colours off";
    EXPECT_EQ(lighting[42 + 5], 0x10);
    EXPECT_EQ(lighting[42 + 15], 3);
    EXPECT_EQ(lighting[42 + 17], 2);
    EXPECT_EQ(lighting[15], 0) << "profile 0 keeps its report rate";

    runOk("lighting default");
    lighting = memory().lighting;
    const std::vector<std::uint8_t> expected{1, 4, 2, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), lighting.begin() + 42));
    EXPECT_TRUE(std::all_of(lighting.begin() + 50, lighting.begin() + 77,
                            [](std::uint8_t b) { return b == 0; }));
}

TEST_F(LightingCommands, BadInputWritesNothing) {
    runOk("lighting set effect=20");
    runOk("colours paint A '#00FF00'");
    const auto before = readFileBytes(state);
    const auto fileBefore = readFileBytes(userFile(0));
    const std::string cases[] = {
        "lighting",
        "lighting set",
        "lighting set speed=6",
        "lighting set brightness=-1",
        "lighting set effect=0",
        "lighting set effect=21",
        "lighting set effect=19",
        "lighting set brightness=2 direction=up",
        "lighting set colour=red",
        "lighting set multicolour=2",
        "lighting set glow=1",
        "lighting show extra",
        "report-rate 4",
        "report-rate",
        "colours",
        "colours mode 10",
        "colours paint NoSuchKey '#00FF00'",
        "colours paint 'right Win' '#00FF00'",
        "colours paint G7 '#00FF00'",
        "colours paint A",
        "colours paint A '#00FF0'",
        "colours base",
        "colours rename 10 x",
        "colours rename 1",
    };
    for (const auto& args : cases) {
        const CliRun r = run(args);
        EXPECT_NE(r.exitCode, 0) << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
        EXPECT_EQ(readFileBytes(state), before) << args;
        EXPECT_EQ(readFileBytes(userFile(0)), fileBefore) << args;
    }
}

} // namespace
} // namespace kw::cli
