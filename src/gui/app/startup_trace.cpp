#include "gui/app/startup_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace kw::app {

void StartupMark(const char* milestone) {
    static const bool enabled = std::getenv("KEYWEAVE_STARTUP_TRACE") != nullptr;
    if (!enabled) {
        return;
    }
    // Wall-clock microseconds, so the script that started the process can
    // count from the moment it ran exec.
    const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    std::fprintf(stderr, "startup %lld %s\n", static_cast<long long>(now), milestone);
}

} // namespace kw::app
