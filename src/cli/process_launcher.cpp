#include "cli/process_launcher.h"

#ifdef _WIN32
#include <string>
#include <windows.h>
#else
#include <spawn.h>
#include <string>
#include <sys/types.h>

extern char** environ;
#endif

namespace kw::cli {

#ifdef _WIN32
bool ProcessLauncher::launch(const std::filesystem::path& program) {
    // The program's own path, quoted, is the whole command line (its argument 0).
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
#else
bool ProcessLauncher::launch(const std::filesystem::path& program) {
    std::string path = program.string();
    char* argv[] = {path.data(), nullptr};
    pid_t pid = 0;
    return ::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) == 0;
}
#endif

} // namespace kw::cli
