// Runs the built keyweave-cli as a user would, against the shipped language files.

#include "cli/run_cli_for_test.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using kw::cli::testing::CliRun;

CliRun runCli(const std::string& arguments, const std::string& environment = {}) {
    return kw::cli::testing::runCli("keyname " + arguments, environment);
}

struct NameCase {
    std::string arguments;
    std::string expected;
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.arguments; }
};

class KeyNameCommand : public ::testing::TestWithParam<NameCase> {};

TEST_P(KeyNameCommand, PrintsTheNameAndSucceeds) {
    const CliRun run = runCli(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().expected + "\n");
    EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Codes, KeyNameCommand,
    ::testing::Values(NameCase{"--lang 0 0x147", "Home"}, NameCase{"--lang 0 0X147", "Home"},
                      NameCase{"--lang 0 327", "Home"}, NameCase{"--lang 1 0x039", "Espa\xC3\xA7o"},
                      NameCase{"--lang 1 0x147", "In\xC3\xAD"
                                                 "cio"},
                      NameCase{"--lang=1 0x039", "Espa\xC3\xA7o"},
                      NameCase{"0x039 --lang 0", "Space"},
                      // No name: the unknown-key format with the code in decimal.
                      NameCase{"--lang 0 0x064", "Unknown key (100)"},
                      NameCase{"--lang 0 0xFFFF", "Unknown key (65535)"},
                      NameCase{"--lang 0 0", "Unknown key (0)"}));

TEST(KeyNameCommandLanguage, DefaultsToTheStoredLanguageChosenFromTheSystem) {
    kw::testing::TempDir config;
    const std::string environment = "XDG_CONFIG_HOME=" + config.path().string();
    EXPECT_EQ(runCli("0x039", environment + " LC_ALL=pt_BR.UTF-8").out, "Espa\xC3\xA7o\n");
    // Chosen once and stored: a later run with another locale keeps it.
    EXPECT_EQ(runCli("0x039", environment + " LC_ALL=en_US.UTF-8").out, "Espa\xC3\xA7o\n");
}

class KeyNameCommandBadArguments : public ::testing::TestWithParam<std::string> {};

TEST_P(KeyNameCommandBadArguments, ExplainInOneLineAndExitTwo) {
    const CliRun run = runCli(GetParam());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Arguments, KeyNameCommandBadArguments,
                         ::testing::Values("", "abc", "0x", "0x1G", "12a", "-1", "+5", "0x10000",
                                           "65536", "99999999999999999999", "--lang 2 1",
                                           "--lang -1 1", "--lang x 1", "--lang", "1 2",
                                           "--colour 1"));

} // namespace
