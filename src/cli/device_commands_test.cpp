// Runs keyweave-cli's device commands as a user would, against the simulated
// keyboard and against hidraw trees laid out in a temporary folder.

#include "cli/run_cli_for_test.h"
#include "sim/keyboard_memory.h"
#include "sim/simkbd_mount.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace {

using kw::cli::testing::CliRun;

CliRun runDeviceCli(const std::string& arguments) {
    return kw::cli::testing::runCli(arguments);
}

TEST(InfoCommand, SimulatedKeyboardAndItsStateFile) {
    kw::testing::TempDir dir;
    const auto state = dir / "kbd.state";
    const CliRun fresh = runDeviceCli("--simulate=" + state.string() + " info");
    ASSERT_EQ(fresh.exitCode, 0) << fresh.err;
    const auto json = nlohmann::json::parse(fresh.out);
    EXPECT_EQ(json["firmwareVersion"], "0x0105");
    EXPECT_EQ(json["activeProfile"], 0);
    EXPECT_EQ(json["macroCapacity"], 4096);
    EXPECT_EQ(json["effects"].size(), 20u);
    ASSERT_TRUE(std::filesystem::exists(state)) << "a missing state file is created";

    auto memory = kw::sim::loadMemory(state);
    ASSERT_TRUE(memory);
    memory->info.setActiveProfile(2);
    memory->setMacroCapacityUnits(3);
    ASSERT_TRUE(kw::sim::saveMemory(state, *memory));
    const auto again =
        nlohmann::json::parse(runDeviceCli("--simulate=" + state.string() + " info").out);
    EXPECT_EQ(again["activeProfile"], 2);
    EXPECT_EQ(again["macroCapacity"], 384);
}

TEST(InfoCommand, DamagedStateFileIsReportedAndKept) {
    kw::testing::TempDir dir;
    const auto state = dir / "kbd.state";
    std::ofstream(state) << "not a state file";
    const CliRun run = runDeviceCli("--simulate=" + state.string() + " info");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("not a simulated keyboard state file"), std::string::npos) << run.err;
    std::stringstream kept;
    kept << std::ifstream(state).rdbuf();
    EXPECT_EQ(kept.str(), "not a state file");
}

TEST(InfoCommand, TracePrintsEveryReportInHex) {
    const CliRun run = runDeviceCli("--simulate --trace info");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("> 04 2f 00 03 2c 00 00 00"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("< 04 "), std::string::npos) << run.err;
}

TEST(InfoCommand, NoKeyboardGivesExitCodeThree) {
    kw::testing::TempDir root;
    // One unrelated hidraw device.
    std::filesystem::create_directories(root / "sys/class/hidraw/hidraw0/device");
    std::ofstream(root / "sys/class/hidraw/hidraw0/device/uevent")
        << "HID_ID=0003:0000046D:0000C52B\n";
    for (const std::string command : {"info", "devices"}) {
        const CliRun run = runDeviceCli("--hid-root " + root.path().string() + " " + command);
        EXPECT_EQ(run.exitCode, 3) << command;
        EXPECT_NE(run.err.find("no keyboard found"), std::string::npos) << command << run.err;
    }
}

TEST(InfoCommand, RealBackendOnTheFuseDevice) {
    kw::testing::TempDir dir;
    kw::sim::SimkbdMount mount(kw::testing::programFolder() / "keyweave-simkbd", dir / "root");
    if (!mount.available()) {
        GTEST_SKIP() << "FUSE tests skipped: " << mount.reason();
    }
    const CliRun run = runDeviceCli("--hid-root " + mount.root().string() + " --trace info");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["macroCapacity"], 4096);
    EXPECT_NE(run.err.find("> 04 2f 00 03"), std::string::npos) << run.err;
}

TEST(DevicesCommand, ListsBothInterfacesWithTheirRoles) {
    const CliRun run = runDeviceCli("--simulate devices");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto list = nlohmann::json::parse(run.out);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]["vendorId"], "0x0C45");
    EXPECT_EQ(list[0]["productId"], "0x5004");
    EXPECT_EQ(list[0]["usagePage"], "0xFF1C");
    EXPECT_EQ(list[0]["role"], "configuration");
    EXPECT_EQ(list[1]["usagePage"], "0x000C");
    EXPECT_EQ(list[1]["role"], "events");
}

} // namespace
