// validate, new and dump run as a user runs them.

#include "cli/run_cli_for_test.h"
#include "core/base/atomic_file.h"
#include "core/config/config_file.h"
#include "testsupport/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace kw::cli {
namespace {

using kw::testing::TempDir;
using testing::runCli;

// A fresh settings store and English, whatever the machine runs with.
class ConfigCommands : public ::testing::Test {
protected:
    testing::CliRun run(const std::string& arguments) {
        return runCli(arguments,
                      "env -u XDG_CONFIG_HOME HOME=" + home.path().string() + " LANG=C LC_ALL=C");
    }
    std::string path(const std::string& name) const { return (files / name).string(); }

    TempDir home;
    TempDir files;
};

TEST_F(ConfigCommands, NewWritesAValidDefaultFileAndKeepsExistingOnes) {
    const auto created = run("new " + path("a.fwc"));
    EXPECT_EQ(created.exitCode, 0) << created.err;
    EXPECT_EQ(std::filesystem::file_size(files / "a.fwc"), 32832u);

    const auto again = run("new " + path("a.fwc"));
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_NE(again.err.find("exists"), std::string::npos) << again.err;
    EXPECT_EQ(run("new --force " + path("a.fwc")).exitCode, 0);
    EXPECT_EQ(run("new " + path("no/such/folder.fwc")).exitCode, 2);
    EXPECT_EQ(run("new").exitCode, 2);
}

TEST_F(ConfigCommands, ValidatePrintsValidOrInvalidWithItsExitCode) {
    ASSERT_EQ(run("new " + path("good.fwc")).exitCode, 0);
    auto bytes = *readFileBytes(files / "good.fwc");
    bytes[31] ^= 1;
    ASSERT_TRUE(writeFileAtomically(files / "bad.fwc", bytes));
    bytes.resize(100);
    ASSERT_TRUE(writeFileAtomically(files / "tiny.fwc", bytes));

    struct Case {
        std::string file;
        int exitCode;
        std::string out;
        bool message;
    };
    const Case cases[] = {
        {"good.fwc", 0, "valid\n", false},
        {"bad.fwc", 1, "invalid\n", true},   // with the format error text
        {"tiny.fwc", 1, "invalid\n", false}, // too small to be one: no message
        {"missing.fwc", 2, "", true},
    };
    for (const auto& c : cases) {
        const auto r = run("validate " + path(c.file));
        EXPECT_EQ(r.exitCode, c.exitCode) << c.file << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.file;
        EXPECT_EQ(r.err.find(path(c.file)) != std::string::npos, c.message) << c.file << r.err;
    }
}

TEST_F(ConfigCommands, DumpShowsEntriesMacrosAndStrings) {
    ConfigImage image;
    image.createDefaultBlock();
    *image.entry(0, 0x01) = {KeyEntryType::KeySingle, 0, 0x1E, 0, 0};
    *image.entry(1, 0x3B) = {KeyEntryType::KeyLaunch, 0, 0, 0, 0};
    image.setString(entryNumber(1, 0x3B), u"/usr/bin/xcalc");
    *image.entry(2, 256) = {KeyEntryType::KeyMacro, 1, 7, 0, 0};
    image.macros.resize(1);
    image.macros[0].setName(u"Combo \u00e9");
    image.macros[0].macroId = 7;
    image.macros[0].repeatCount = 3;
    image.macros[0].actionCount = 2;
    image.macros[0].actions[0] = {30, 0x1D, 0};
    image.macros[0].actions[1] = {0, 0x1D, 1};
    ASSERT_EQ(WriteConfigurationFile(image, files / "full.fwc"), 1);

    const auto r = run("dump " + path("full.fwc"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["header"]["macroCount"], 1);
    EXPECT_EQ(json["header"]["totalSize"], std::filesystem::file_size(files / "full.fwc"));
    EXPECT_EQ(json["header"]["valid"], true);

    const auto& g0 = json["groups"][0]["entries"];
    ASSERT_EQ(g0.size(), 1u); // G-key identities alone are not listed
    EXPECT_EQ(g0[0]["key"], "Esc");
    EXPECT_EQ(g0[0]["type"], "KeySingle");
    EXPECT_EQ(g0[0]["value"], 0x1E);
    EXPECT_EQ(g0[0]["valueName"], "A");
    const auto& g1 = json["groups"][1]["entries"];
    ASSERT_EQ(g1.size(), 1u);
    EXPECT_EQ(g1[0]["type"], "KeyLaunch");
    EXPECT_EQ(g1[0]["valueName"], "/usr/bin/xcalc");
    const auto& g2 = json["groups"][2]["entries"];
    ASSERT_EQ(g2.size(), 1u);
    EXPECT_EQ(g2[0]["key"], "G1");
    EXPECT_EQ(g2[0]["keyId"], 1); // the cycle count of a macro assignment
    EXPECT_EQ(g2[0]["valueName"], "Combo \u00e9");

    const auto& macro = json["macros"][0];
    EXPECT_EQ(macro["name"], "Combo \u00e9");
    EXPECT_EQ(macro["macroId"], 7);
    EXPECT_EQ(macro["repeatCount"], 3);
    ASSERT_EQ(macro["actions"].size(), 2u);
    EXPECT_EQ(macro["actions"][0]["key"], "Ctrl");
    EXPECT_EQ(macro["actions"][0]["action"], "press");
    EXPECT_EQ(macro["actions"][0]["delayMs"], 30);
    EXPECT_EQ(macro["actions"][1]["action"], "release");

    ASSERT_EQ(json["strings"].size(), 1u);
    EXPECT_EQ(json["strings"][0]["group"], 1);
    EXPECT_EQ(json["strings"][0]["keyIndex"], 0x3B);
    EXPECT_EQ(json["strings"][0]["text"], "/usr/bin/xcalc");
}

TEST_F(ConfigCommands, DumpRefusesWhatItCannotRead) {
    ASSERT_EQ(run("new " + path("good.fwc")).exitCode, 0);
    auto bytes = *readFileBytes(files / "good.fwc");
    bytes[14] = 1; // one macro declared, none there
    ASSERT_TRUE(writeFileAtomically(files / "cut.fwc", bytes));

    EXPECT_EQ(run("dump " + path("missing.fwc")).exitCode, 2);
    const auto cut = run("dump " + path("cut.fwc"));
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(cut.out, "");
}

} // namespace
} // namespace kw::cli
