// Several programs on one keyboard at once: each command holds the keyboard
// for its whole read-modify-apply, so none of them fails or loses another's
// change, and one that cannot have it in time says who holds it.

#include "cli/run_cli_for_test.h"
#include "platform/keyboard_lock_file.h"
#include "sim/simkbd_mount.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using kw::cli::testing::CliRun;
using kw::cli::testing::runCli;

std::set<std::string> macroNames(const std::string& listJson) {
    std::set<std::string> names;
    for (const auto& macro : nlohmann::json::parse(listJson)) {
        names.insert(macro["name"].get<std::string>());
    }
    return names;
}

TEST(ConcurrentCommands, SixMacroAddsOnOneFuseKeyboardAllLand) {
    kw::testing::TempDir dir;
    kw::sim::SimkbdMount mount(kw::testing::programFolder() / "keyweave-simkbd", dir / "root");
    if (!mount.available()) {
        GTEST_SKIP() << "FUSE tests skipped: " << mount.reason();
    }
    const std::string root = "--hid-root " + mount.root().string() + " ";
    constexpr int kPrograms = 6;
    std::vector<CliRun> runs(kPrograms);
    std::vector<std::thread> threads;
    for (int i = 0; i < kPrograms; ++i) {
        threads.emplace_back([&, i] {
            runs[static_cast<std::size_t>(i)] =
                runCli(root + "macro add NAME" + std::to_string(i) + " \"A down 10, A up 10\"");
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    for (int i = 0; i < kPrograms; ++i) {
        EXPECT_EQ(runs[static_cast<std::size_t>(i)].exitCode, 0)
            << "NAME" << i << ": " << runs[static_cast<std::size_t>(i)].err;
    }
    const CliRun list = runCli(root + "macro list");
    ASSERT_EQ(list.exitCode, 0) << list.err;
    std::set<std::string> expected;
    for (int i = 0; i < kPrograms; ++i) {
        expected.insert("NAME" + std::to_string(i));
    }
    EXPECT_EQ(macroNames(list.out), expected);
}

TEST(ConcurrentCommands, HeldKeyboardIsReportedWithItsHolderAndLeftAlone) {
    kw::testing::TempDir dir;
    const auto state = dir / "kbd.state";
    ASSERT_EQ(runCli("--simulate=" + state.string() + " info").exitCode, 0);
    const auto before = std::filesystem::last_write_time(state);

    // Another program holds this simulated keyboard's state file.
    kw::PlatformKeyboardLockFile other;
    std::string ignored;
    ASSERT_TRUE(other.tryLock("simulated " + state.string(), ignored));
    const CliRun run =
        runCli("--simulate=" + state.string() + " macro add LATE \"A down 10, A up 10\"");
    other.unlock();

    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("in use by"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("(pid " + std::to_string(kw::testing::processId()) + ")"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(std::filesystem::last_write_time(state), before) << "the state file is not written";
    const CliRun list = runCli("--simulate=" + state.string() + " macro list");
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(macroNames(list.out).count("LATE"), 0u);
}

TEST(ConcurrentCommands, StateFileCommandsDoNotLoseEachOthersChanges) {
    kw::testing::TempDir dir;
    const std::string sim = "--simulate=" + (dir / "kbd.state").string() + " ";
    ASSERT_EQ(runCli(sim + "info").exitCode, 0);
    std::vector<std::thread> threads;
    std::vector<CliRun> runs(4);
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&, i] {
            runs[static_cast<std::size_t>(i)] =
                runCli(sim + "macro add M" + std::to_string(i) + " \"B down 10, B up 10\"");
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    for (const auto& run : runs) {
        EXPECT_EQ(run.exitCode, 0) << run.err;
    }
    const CliRun list = runCli(sim + "macro list");
    EXPECT_EQ(macroNames(list.out), (std::set<std::string>{"M0", "M1", "M2", "M3"}));
}

} // namespace
