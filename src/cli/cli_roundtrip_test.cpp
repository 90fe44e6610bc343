// Scripts the keyboard from the command line as a user would, against a
// simulated keyboard whose memory lives in a state file between runs.

#include "cli/run_cli_for_test.h"
#include "core/base/atomic_file.h"
#include "core/config/key_matrix.h"
#include "sim/keyboard_memory.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <thread>

namespace kw::cli {
namespace {

using testing::CliRun;

constexpr KeyCode kEscape = 0x01;
constexpr KeyCode kG3 = 0x202;

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

class CliRoundTrip : public ::testing::Test {
protected:
    CliRun run(const std::string& arguments) {
        return testing::runCli("--simulate=" + state.string() + " " + arguments,
                               "XDG_DATA_HOME=" + data.path().string() +
                                   " XDG_CONFIG_HOME=" + data.path().string());
    }

    sim::KeyboardMemory memory() const {
        auto loaded = sim::loadMemory(state);
        EXPECT_TRUE(loaded);
        return loaded.value_or(sim::KeyboardMemory{});
    }

    // What the keyboard holds for a key in a profile's key table.
    static MatrixEntry keyboardEntry(const sim::KeyboardMemory& m, int profile, KeyCode key) {
        for (std::size_t s = 0; s < kMatrixSlots; ++s) {
            const MatrixEntry factory{m.defaultMatrix[s * 3], m.defaultMatrix[s * 3 + 1],
                                      m.defaultMatrix[s * 3 + 2]};
            if (slotKeyCode(factory) == key) {
                const auto& table = m.keyTables[static_cast<std::size_t>(profile)];
                return {table[s * 3], table[s * 3 + 1], table[s * 3 + 2]};
            }
        }
        ADD_FAILURE() << "no slot for key " << key;
        return {};
    }

    // The dumped entry of a key in a group, or null.
    static const nlohmann::json* dumpedEntry(const nlohmann::json& dump, int group, int keyIndex) {
        for (const auto& e : dump["groups"][group]["entries"]) {
            if (e["keyIndex"] == keyIndex) {
                return &e;
            }
        }
        return nullptr;
    }

    kw::testing::TempDir dir;
    kw::testing::TempDir data;
    std::filesystem::path state = dir / "keyboard.state";
};

TEST_F(CliRoundTrip, WhatIsSetIsWhatTheNextRunShows) {
    for (const char* step :
         {"set-key Esc A", "set-key --profile 1 G3 mouse:wheel-up", "set-key --profile 2 A media:3",
          "macro add Hello \"A down 50, Page Up up 0\"", "profile 1",
          "lighting set effect=13 brightness=3 speed=1 direction=first colour='#204060'"}) {
        const CliRun r = run(step);
        ASSERT_EQ(r.exitCode, 0) << step << ": " << r.err;
    }

    const CliRun dump = run("dump");
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    const auto json = nlohmann::json::parse(dump.out);
    const auto* escape = dumpedEntry(json, 0, KeyIndexOf(kEscape));
    ASSERT_NE(escape, nullptr);
    EXPECT_EQ((*escape)["type"], "KeySingle");
    EXPECT_EQ((*escape)["value"], 0x1E);
    const auto* g3 = dumpedEntry(json, 1, KeyIndexOf(kG3));
    ASSERT_NE(g3, nullptr);
    EXPECT_EQ((*g3)["value"], 0x161);
    const auto* a = dumpedEntry(json, 2, 0x1E);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ((*a)["type"], "KeyMedia");
    EXPECT_EQ((*a)["value"], 3);
    ASSERT_EQ(json["macros"].size(), 1u);
    EXPECT_EQ(json["macros"][0]["name"], "Hello");
    EXPECT_EQ(json["macros"][0]["actions"],
              nlohmann::json::parse(R"([{"key": "A", "keyCode": 30, "action": "press",
                                          "delayMs": 50},
                                         {"key": "Page Up", "keyCode": 329, "action": "release",
                                          "delayMs": 0}])"));

    const auto m = memory();
    EXPECT_EQ(m.info.activeProfile(), 1);
    EXPECT_EQ(keyboardEntry(m, 0, kEscape), (MatrixEntry{0x02, 0x02, 0x04}));
    EXPECT_EQ(keyboardEntry(m, 1, kG3), (MatrixEntry{0x01, 0x05, 0x01}));
    EXPECT_EQ(keyboardEntry(m, 2, 0x1E)[0], 0x03);

    const CliRun profile = run("profile");
    EXPECT_EQ(profile.out, "1\n");

    // Lighting goes to the active profile's record: profile 1 starts at byte 42.
    const CliRun lighting = run("lighting show");
    ASSERT_EQ(lighting.exitCode, 0) << lighting.err;
    const auto shown = nlohmann::json::parse(lighting.out);
    EXPECT_EQ(shown["profile"], 1);
    EXPECT_EQ(shown["effect"], 13);
    EXPECT_EQ(shown["brightness"], 3);
    EXPECT_EQ(shown["speed"], 1);
    EXPECT_EQ(shown["direction"], "first");
    EXPECT_EQ(shown["multicolour"], false);
    EXPECT_EQ(shown["colour"], "#204060");
    const std::array<std::uint8_t, 8> record{13, 3, 1, 0xFF, 0, 0x20, 0x40, 0x60};
    EXPECT_TRUE(std::equal(record.begin(), record.end(), m.lighting.begin() + 42));
    EXPECT_EQ(m.lighting[0], 1) << "profile 0's record is not touched";
}

TEST_F(CliRoundTrip, ExportAndImportRestoreEveryProfile) {
    ASSERT_EQ(run("set-key --profile 2 Esc disabled").exitCode, 0);
    const auto backup = dir / "backup.fwc";
    ASSERT_EQ(run("export " + backup.string()).exitCode, 0);
    ASSERT_EQ(run("set-key --profile 2 Esc default").exitCode, 0);
    ASSERT_EQ(keyboardEntry(memory(), 2, kEscape), keyboardEntry(memory(), 0, kEscape));

    const CliRun imported = run("import " + backup.string());
    ASSERT_EQ(imported.exitCode, 0) << imported.err;

    EXPECT_EQ(keyboardEntry(memory(), 2, kEscape), (MatrixEntry{0, 0, 0}));
    const CliRun read = run("read --out " + (dir / "read").string());
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_NE(read.out.find("profile 2: 1 keys assigned"), std::string::npos) << read.out;
}

TEST_F(CliRoundTrip, BadInputChangesNothing) {
    ASSERT_EQ(run("profile").exitCode, 0);
    const auto before = readFileBytes(state);
    const auto invalid = dir / "invalid.fwc";
    ASSERT_TRUE(writeFileAtomically(invalid, std::string(40000, 'x')));
    const std::string cases[] = {
        "set-key NoSuchKey A",
        "set-key Esc NoSuchKey",
        "set-key G10 A",
        "set-key --profile 3 Esc A",
        "set-key Esc media:18",
        "set-key Esc function:11",
        "set-key Esc mouse:side",
        "set-key Esc macro:absent",
        "set-key Esc macro:x:0",
        "set-key Esc",
        "profile 3",
        "profile -1",
        "import " + (dir / "absent.fwc").string(),
        "import " + invalid.string(),
        "export",
        "boot " + invalid.string(),
        "boot --yes " + (dir / "absent").string(),
        "read --out",
        "macro add X \"Foo down 10\"",
        "macro add X \"A down 40010\"",
        "macro add X \"A down 15\"",
        "macro add X \"A sideways\"",
        "macro add \"\" \"A down\"",
        "macro add " + std::string(250, 'n') + " \"A down\"",
        "macro add X \"A down 10" + repeated(", A up 10", 2000) + "\"",
        "macro add --cycles 256 X \"A down\"",
        "macro delete absent",
        "macro",
    };
    for (const auto& args : cases) {
        const CliRun r = run(args);
        EXPECT_NE(r.exitCode, 0) << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
        EXPECT_EQ(readFileBytes(state), before) << args;
    }
}

TEST_F(CliRoundTrip, DeletingAMacroFollowsItsKeysInEveryProfile) {
    for (const char* step :
         {"macro add First \"A down 10\"", "macro add --cycles 3 Second \"B down 10\"",
          "set-key --profile 1 Esc macro:Second", "set-key --profile 2 Esc macro:First"}) {
        const CliRun r = run(step);
        ASSERT_EQ(r.exitCode, 0) << step << ": " << r.err;
    }
    ASSERT_EQ(keyboardEntry(memory(), 1, kEscape), (MatrixEntry{0x05, 0x01, 0x01}));

    // Keys are bound to First: without --yes it stays.
    const CliRun kept = run("macro delete First");
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_NE(kept.err.find("Delete it anyway? [no]"), std::string::npos) << kept.err;
    EXPECT_EQ(keyboardEntry(memory(), 2, kEscape), (MatrixEntry{0x05, 0x01, 0x00}));

    const CliRun deleted = run("macro delete --yes First");
    ASSERT_EQ(deleted.exitCode, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "deleted macro 'First'; 1 keys back at their default\n");
    // Profile 0 is active, yet the other profiles' tables are rewritten: Second
    // moved to the first place and First's key is back at its default.
    const auto m = memory();
    EXPECT_EQ(keyboardEntry(m, 1, kEscape), (MatrixEntry{0x05, 0x01, 0x00}));
    EXPECT_EQ(keyboardEntry(m, 2, kEscape), keyboardEntry(m, 0, kEscape));

    const CliRun list = run("macro list");
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const auto macros = nlohmann::json::parse(list.out);
    ASSERT_EQ(macros.size(), 1u);
    EXPECT_EQ(macros[0]["name"], "Second");
    EXPECT_EQ(macros[0]["actions"], "B down 10");
    EXPECT_EQ(macros[0]["cycles"], 3);
}

TEST_F(CliRoundTrip, BootStartsTheUpdateProgram) {
    const auto marker = dir / "started";
#ifdef _WIN32
    // A batch file, which CreateProcessW hands to the command interpreter.
    const auto program = dir / "update.bat";
    ASSERT_TRUE(
        writeFileAtomically(program, "@echo off\r\ntype nul > \"" + marker.string() + "\"\r\n"));
#else
    const auto program = dir / "update.sh";
    ASSERT_TRUE(writeFileAtomically(program, "#!/bin/sh\ntouch '" + marker.string() + "'\n"));
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
#endif

    const CliRun r = run("boot --yes " + program.string());

    EXPECT_EQ(r.exitCode, 0) << r.err;
    // The program runs on its own; give it time to leave its mark.
    for (int i = 0; i < 500 && !std::filesystem::exists(marker); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(std::filesystem::exists(marker));
}

} // namespace
} // namespace kw::cli
