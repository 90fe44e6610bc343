// Runs the built keyweave-cli's preview command as a user would.

#include "cli/run_cli_for_test.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

using kw::cli::testing::CliRun;

CliRun runPreview(const std::string& arguments) {
    return kw::cli::testing::runCli("preview " + arguments);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(PreviewCommand, RejectsBadArgumentsWithOneLineAndExitCode2) {
    const char* cases[] = {
        "--ticks 3",              // no effect
        "--effect 1",             // no ticks
        "--effect 1 --ticks 0",   // nothing to show
        "--effect 256 --ticks 1", // not a byte
        "--effect 1x --ticks 1",  // trailing garbage
        "--effect 1 --ticks 1 --colour '#12345'",
        "--effect 1 --ticks 1 --colour 123456",
        "--effect 1 --ticks 1 --colour '#12345G'",
        "--effect 1 --ticks 1 --direction left",
        "--effect 1 --ticks 1 --speed 3",
        "--effect 1 --ticks",
    };
    for (const char* arguments : cases) {
        const CliRun run = runPreview(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(linesOf(run.err).size(), 1u) << arguments << ": " << run.err;
    }
}

TEST(PreviewCommand, PrintsEveryKeyButtonOncePerTick) {
    const CliRun run = runPreview("--effect 6 --colour '#123456' --ticks 2");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("tick 1 1000=#123456 1001=#123456 ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("tick 2 ", 0), 0u);
    // Right Win and G6..G9 are never coloured; 116 buttons in all.
    for (const char* normal : {" 1087=normal", " 1140=normal", " 1143=normal"}) {
        EXPECT_NE(lines[0].find(normal), std::string::npos) << normal;
    }
    EXPECT_NE(lines[0].find(" 1174=#123456"), std::string::npos);
    EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), '='), 116);
}

TEST(PreviewCommand, RunsAreRepeatableEvenWithRandomColours) {
    const std::string arguments = "--effect 10 --multicolour --ticks 30";
    const CliRun first = runPreview(arguments);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(runPreview(arguments).out, first.out);
}

TEST(PreviewCommand, WritesJson) {
    const CliRun run =
        runPreview("--effect 18 --direction second --ticks 3 --colour '#FF0000' --json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document["effect"], 18);
    EXPECT_EQ(document["direction"], "second");
    EXPECT_EQ(document["multicolour"], false);
    EXPECT_EQ(document["colour"], "#FF0000");
    ASSERT_EQ(document["ticks"].size(), 3u);
    const auto& last = document["ticks"][2];
    EXPECT_EQ(last["tick"], 3);
    EXPECT_EQ(last["keys"].size(), 116u);
    EXPECT_EQ(last["keys"]["1087"], "normal");
    // Step counter 188 after three ticks backwards: ring 0 shows wheel entry
    // 209 - 192 = 17.
    EXPECT_EQ(last["keys"]["1052"], "#FF5900");
}

} // namespace
