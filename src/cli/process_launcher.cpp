#include "cli/process_launcher.h"

#include <spawn.h>
#include <string>
#include <sys/types.h>

extern char** environ;

namespace kw::cli {

bool ProcessLauncher::launch(const std::filesystem::path& program) {
    std::string path = program.string();
    char* argv[] = {path.data(), nullptr};
    pid_t pid = 0;
    return ::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) == 0;
}

} // namespace kw::cli
