#pragma once
// Runs the built keyweave-cli as a user would and collects what it printed.
// KEYWEAVE_CLI_PATH is defined by the test target.

#include "testsupport/temp_dir.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace kw::cli::testing {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// `environment` goes before the program ("NAME=value ..."; "env -u NAME" works too).
inline CliRun runCli(const std::string& arguments, const std::string& environment = {}) {
    kw::testing::TempDir scratch;
    const auto errFile = scratch / "stderr";
    const std::string command =
        environment + " " KEYWEAVE_CLI_PATH " " + arguments + " 2>" + errFile.string();
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        return run;
    }
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        run.out += buffer;
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::stringstream err;
    err << std::ifstream(errFile).rdbuf();
    run.err = err.str();
    return run;
}

} // namespace kw::cli::testing
